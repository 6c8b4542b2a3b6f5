// pvcam's card backup against the simulated camera: albums kept as folders, every copy identical to
// the card, a resumed run that copies only what is missing, a cable pulled halfway, a file in the
// way, erasing only what was verified, and hostile album titles.
#include "AlbumNameTable.h"
#include "CameraFixture.h"
#include "CardBackup.h"
#include "Crc32.h"

#include <fstream>
#include <map>
#include <sstream>

namespace {

std::vector<BYTE> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class CardBackupTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "pvbackup" + std::to_string(GetCurrentProcessId()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveFolder(folder);
        ShrinkPictures(CardPath("PCCARD/DCIMAGES"));
        ASSERT_NE(nullptr, Open());
    }

    // The backup reads files whole and never decodes them: short pictures keep the tests quick.
    static void ShrinkPictures(const std::string& path) {
        WIN32_FIND_DATAA found;
        pv::UniqueFind h(FindFirstFileA((path + "\\*").c_str(), &found));
        if (!h) return;
        do {
            std::string name = found.cFileName, child = path + "\\" + name;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ShrinkPictures(child);
            } else if (pvcam::IsPicture(name) && found.nFileSizeLow > 3000) {
                pv::UniqueHandle file(CreateFileA(child.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
                SetFilePointer(file.get(), 3000 + found.nFileSizeLow % 997, nullptr, FILE_BEGIN);
                SetEndOfFile(file.get());
            }
        } while (FindNextFileA(h.get(), &found));
    }
    void TearDown() override {
        CameraTest::TearDown();
        RemoveFolder(folder);
    }

    static void RemoveFolder(const std::string& path) {
        WIN32_FIND_DATAA found;
        pv::UniqueFind h(FindFirstFileA((path + "\\*").c_str(), &found));
        if (h) {
            do {
                std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(path + "\\" + name);
                else DeleteFileA((path + "\\" + name).c_str());
            } while (FindNextFileA(h.get(), &found));
        }
        RemoveDirectoryA(path.c_str());
    }

    // The card's pictures as the camera lists them: camera path -> path inside the backup folder.
    std::map<std::string, std::string> CardPictures() {
        std::map<std::string, std::string> pictures;
        std::vector<pvcam::Entry> top;
        EXPECT_TRUE(pvcam::List(camera, pvcam::kPictureDir, top));
        const char* titles[][2] = {{"ALBUM001", "Summer Trip.alb"}, {"ALBUM002", "Garden.alb"},
                                   {"ALBUM003", "Empty Album.alb"}};
        for (const pvcam::Entry& e : top) {
            if (!e.IsDirectory() && pvcam::IsPicture(e.name)) pictures["PCCARD\\DCIMAGES\\" + e.name] = e.name;
            for (auto& t : titles) {
                if (e.name != t[0]) continue;
                std::vector<pvcam::Entry> album;
                EXPECT_TRUE(pvcam::List(camera, std::string(pvcam::kPictureDir) + "\\" + e.name, album));
                for (const pvcam::Entry& p : album)
                    if (!p.IsDirectory() && pvcam::IsPicture(p.name))
                        pictures["PCCARD\\DCIMAGES\\" + e.name + "\\" + p.name] = FileTitleOf(t[1]) + "\\" + p.name;
            }
        }
        return pictures;
    }

    void ExpectIdenticalCopies(const std::map<std::string, std::string>& pictures, size_t expected) {
        size_t found = 0;
        for (const auto& [cameraPath, local] : pictures) {
            if (!Exists(folder + "\\" + local)) continue;
            ++found;
            EXPECT_EQ(FileBytes(CardPath(cameraPath)), FileBytes(folder + "\\" + local)) << local;
            EXPECT_FALSE(Exists(folder + "\\" + local + ".part")) << local;
        }
        EXPECT_EQ(expected, found);
    }

    // The manifest's lines: local path -> the rest of the line.
    std::map<std::string, std::string> Manifest() {
        std::map<std::string, std::string> lines;
        std::ifstream in(folder + "\\manifest.txt", std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            lines[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
        }
        return lines;
    }

    std::string folder;
};

TEST_F(CardBackupTest, AlbumsBecomeFoldersEveryCopyIsIdenticalAndARerunCopiesNothing) {
    auto pictures = CardPictures();
    ASSERT_GE(pictures.size(), 6u);
    pvcam::CardBackup backup(camera, folder, false);
    EXPECT_EQ(pvcam::kBackupDone, backup.Run());
    EXPECT_EQ(int(pictures.size()), backup.Tally().copied);
    ExpectIdenticalCopies(pictures, pictures.size());

    auto manifest = Manifest();
    ASSERT_EQ(pictures.size(), manifest.size());
    for (const auto& [cameraPath, local] : pictures) {
        std::vector<BYTE> bytes = FileBytes(CardPath(cameraPath));
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(pv::Crc32(bytes.data(), bytes.size())));
        std::string line = manifest[local];
        EXPECT_NE(std::string::npos, line.find("\t" + std::to_string(bytes.size()) + "\t")) << line;
        EXPECT_EQ(crc, line.substr(line.size() - 8)) << local;
        EXPECT_NE(std::string::npos, line.find("\t19") + line.find("\t20")) << "a date: " << line;
    }

    HostBytes();
    pvcam::CardBackup again(camera, folder, false);
    EXPECT_EQ(pvcam::kBackupDone, again.Run());
    EXPECT_EQ(0, again.Tally().copied);
    EXPECT_EQ(int(pictures.size()), again.Tally().present);
    EXPECT_EQ(manifest, Manifest());
}

TEST_F(CardBackupTest, ACablePulledHalfwayKeepsWhatWasVerifiedAndTheRerunCompletes) {
    auto pictures = CardPictures();
    pvcam::CardBackup backup(camera, folder, true);
    backup.SetProgress([&](size_t done, size_t, const pvcam::BackupItem&, const char*) {
        if (done == 2) peer.stopSimulator(kCom);
    });
    EXPECT_EQ(pvcam::kBackupPartly, backup.Run());
    EXPECT_EQ(2, backup.Tally().copied);
    EXPECT_EQ(int(pictures.size()) - 2, backup.Tally().failed);
    EXPECT_EQ(0, backup.Tally().erased) << "nothing is erased from a camera that was lost";
    ExpectIdenticalCopies(pictures, 2);
    EXPECT_EQ(2u, Manifest().size());

    // The cable back in: the same card behind a new simulator.
    DestroyCamera(camera);
    camera = nullptr;
    auto s = peer.startSimulator(kCom, 1, "--no-throttle");
    sim = std::make_unique<pvtest::PeerClient>(s.control);
    card = s.cardDir;
    ShrinkPictures(CardPath("PCCARD/DCIMAGES"));
    ASSERT_NE(nullptr, Open());
    pvcam::CardBackup rerun(camera, folder, false);
    EXPECT_EQ(pvcam::kBackupDone, rerun.Run());
    EXPECT_EQ(int(pictures.size()) - 2, rerun.Tally().copied);
    EXPECT_EQ(2, rerun.Tally().present);
    ExpectIdenticalCopies(pictures, pictures.size());
    EXPECT_EQ(pictures.size(), Manifest().size());
}

TEST_F(CardBackupTest, AFileInTheWayIsKeptAndOnlyVerifiedCopiesAreErased) {
    auto pictures = CardPictures();
    const auto blocked = *pictures.begin();
    CreateDirectoryA(folder.c_str(), nullptr);
    auto slash = blocked.second.rfind('\\');
    if (slash != std::string::npos) CreateDirectoryA((folder + "\\" + blocked.second.substr(0, slash)).c_str(), nullptr);
    { std::ofstream(folder + "\\" + blocked.second, std::ios::binary) << "the user's own file"; }

    pvcam::CardBackup backup(camera, folder, true);
    EXPECT_EQ(pvcam::kBackupPartly, backup.Run());
    EXPECT_EQ(1, backup.Tally().failed);
    EXPECT_EQ(int(pictures.size()) - 1, backup.Tally().erased);
    std::vector<BYTE> own = FileBytes(folder + "\\" + blocked.second);
    EXPECT_EQ("the user's own file", std::string(own.begin(), own.end()));
    for (const auto& [cameraPath, local] : pictures)
        EXPECT_EQ(cameraPath == blocked.first, Exists(CardPath(cameraPath))) << cameraPath;
    EXPECT_EQ(0u, Manifest().count(blocked.second));
    EXPECT_EQ(pictures.size() - 1, Manifest().size());
}

TEST_F(CardBackupTest, HostileAndRepeatedAlbumTitlesStayInsideTheFolder) {
    {
        std::ofstream ctl(CardPath("PCCARD/DCIMAGES/ALBUM.CTL"), std::ios::binary | std::ios::trunc);
        ctl << "ALBUM_FILE\r\n\"ALBUM001\",\"..\\\\..\\\\Outside.alb\"\r\n\"ALBUM002\",\"Same.alb\"\r\n"
               "\"ALBUM003\",\"Same.alb\"\r\n";
    }
    pvcam::CardBackup backup(camera, folder, false);
    std::vector<std::string> locals;
    backup.SetProgress([&](size_t, size_t, const pvcam::BackupItem& item, const char*) {
        locals.push_back(item.relativePath);
    });
    EXPECT_EQ(pvcam::kBackupDone, backup.Run());
    std::map<std::string, int> albums;
    for (const std::string& local : locals) {
        EXPECT_EQ(std::string::npos, local.find("..")) << local;
        EXPECT_EQ(std::string::npos, local.find(':')) << local;
        auto slash = local.find('\\');
        if (slash != std::string::npos) ++albums[local.substr(0, slash)];
    }
    EXPECT_EQ(1u, albums.count(FileTitleOf("Same.alb")));
    EXPECT_EQ(1u, albums.count("ALBUM003")) << "the second album titled Same keeps its directory's name";
    EXPECT_EQ(3u, albums.size());
    EXPECT_FALSE(Exists(folder + "\\..\\..\\Outside"));
    EXPECT_FALSE(Exists(folder + "\\..\\Outside"));
}

}  // namespace

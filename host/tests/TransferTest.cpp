// Directory lists, files and thumbnails: packets, sizes, progress and cancel.
#include "CameraFixture.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Progress {
    std::vector<std::pair<DWORD, DWORD>> calls;
    DWORD cancelAt = 0;   // answer non-zero once this many bytes arrived (0: never)
};

DWORD CALLBACK Record(ULONG_PTR user, DWORD received, DWORD total) {
    auto* p = reinterpret_cast<Progress*>(user);
    p->calls.emplace_back(received, total);
    return p->cancelAt && received >= p->cancelAt ? 1 : 0;
}

std::vector<BYTE> ReadCardFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class TransferTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        ASSERT_NE(nullptr, Open());
    }

    // Lists the directory and returns the 8.3 names (blank-trimmed "NAME.EXT").
    std::vector<std::string> List(const char* path, DWORD expectResult = 0) {
        BYTE* entries = nullptr;
        DWORD count = 99;
        EXPECT_EQ(expectResult, CameraListDirectory(camera, path, &entries, &count));
        std::vector<std::string> names;
        for (DWORD i = 0; entries && i < count; ++i) {
            std::string n(reinterpret_cast<char*>(entries + i * 20), 8), e(reinterpret_cast<char*>(entries + i * 20 + 8), 3);
            n.erase(n.find_last_not_of(' ') + 1);
            e.erase(e.find_last_not_of(' ') + 1);
            names.push_back(e.empty() ? n : n + "." + e);
        }
        FreeCameraBuffer(entries);
        return names;
    }

    std::vector<BYTE> Read(const std::string& path, Progress* progress = nullptr, DWORD expectResult = 0) {
        BYTE* data = nullptr;
        DWORD size = 0;
        EXPECT_EQ(expectResult, CameraReadPictureFile(camera, path.c_str(), &data, &size,
                                                      progress ? Record : nullptr,
                                                      reinterpret_cast<ULONG_PTR>(progress)));
        std::vector<BYTE> bytes = data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
        FreeCameraBuffer(data);
        return bytes;
    }
};

TEST_F(TransferTest, DirectoriesOfZeroTwelveAndThirteenEntries) {
    EXPECT_TRUE(List("\\PCCARD\\DCIMAGES\\*.XYZ").empty());
    EXPECT_EQ(std::string::npos, HostBytes().find("E3"));
    CreateDirectoryA(CardPath("PCCARD/DCIMAGES/TWELVE").c_str(), nullptr);
    for (int i = 0; i < 10; ++i) PutCardFile("PCCARD/DCIMAGES/TWELVE/F" + std::to_string(i) + ".TXT", 3);
    auto twelve = List("\\PCCARD\\DCIMAGES\\TWELVE");
    ASSERT_EQ(12u, twelve.size());   // ".", ".." and ten files
    EXPECT_EQ("F9.TXT", twelve.back());
    // 12 entries fit the first packet's 254 bytes; the 13th needs a second packet.
    std::string camera1 = (HostBytes(), CameraBytes());
    PutCardFile("PCCARD/DCIMAGES/TWELVE/G.TXT", 3);
    auto thirteen = List("\\PCCARD\\DCIMAGES\\TWELVE");
    ASSERT_EQ(13u, thirteen.size());
    EXPECT_EQ("G.TXT", thirteen.back());
    std::string host = HostBytes();
    EXPECT_EQ(std::string::npos, host.find("D2D2D2"));
    EXPECT_NE(std::string::npos, host.find("D2D2"));   // two packets acknowledged
}

TEST_F(TransferTest, AlbumPicturesAreListedByTheirPattern) {
    // What an album counts as its pictures: its .ODC files, as the card image holds them.
    size_t total = 0;
    for (std::string album : {"ALBUM001", "ALBUM002", "ALBUM003"}) {
        std::vector<std::string> onCard;
        WIN32_FIND_DATAA found;
        pv::UniqueFind search(FindFirstFileA(CardPath("PCCARD/DCIMAGES/" + album + "/*.ODC").c_str(), &found));
        for (bool more = bool(search); more; more = FindNextFileA(search.get(), &found)) onCard.push_back(found.cFileName);
        std::sort(onCard.begin(), onCard.end());
        EXPECT_EQ(onCard, List(("\\PCCARD\\DCIMAGES\\" + album + "\\*.ODC").c_str())) << album;
        total += onCard.size();
    }
    EXPECT_NE(0u, total) << "the generated card holds album pictures";
}

TEST_F(TransferTest, FilesOfZeroFiveHundredTwelveAndFiveHundredThirteenBytes) {
    for (size_t size : {0u, 512u, 513u}) {
        std::string name = "PCCARD/DCIMAGES/S" + std::to_string(size) + ".DAT";
        PutCardFile(name, size);
        Progress progress;
        auto bytes = Read("\\PCCARD\\DCIMAGES\\S" + std::to_string(size) + ".DAT", &progress);
        EXPECT_EQ(ReadCardFile(CardPath(name)), bytes) << size;
        std::vector<std::pair<DWORD, DWORD>> expected = {{0, DWORD(size)}, {DWORD(std::min<size_t>(size, 512)), DWORD(size)}};
        if (size == 513) expected.emplace_back(513, 513);
        EXPECT_EQ(expected, progress.calls) << size;
    }
}

TEST_F(TransferTest, LargePictureArrivesWhole) {
    PutCardFile("PCCARD/DCIMAGES/BIG.JPG", 300 * 1024 + 7);
    auto bytes = Read("\\PCCARD\\DCIMAGES\\BIG.JPG");
    EXPECT_EQ(ReadCardFile(CardPath("PCCARD/DCIMAGES/BIG.JPG")), bytes);
}

TEST_F(TransferTest, CancelAtTheSecondPacketKeepsWhatArrived) {
    PutCardFile("PCCARD/DCIMAGES/C.DAT", 4000);
    Progress progress;
    progress.cancelAt = 1024;
    BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_EQ(19u, CameraReadPictureFile(camera, "\\PCCARD\\DCIMAGES\\C.DAT", &data, &size, Record,
                                         reinterpret_cast<ULONG_PTR>(&progress)));
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(4000u, size);
    auto file = ReadCardFile(CardPath("PCCARD/DCIMAGES/C.DAT"));
    EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + 1024), std::vector<BYTE>(data, data + 1024));
    FreeCameraBuffer(data);
    std::string host = HostBytes();
    EXPECT_EQ("E4", host.substr(host.size() - 2));
    // The camera is in a defined state: the next command works.
    EXPECT_EQ(0u, CameraReadStatus(camera));
}

TEST_F(TransferTest, FileHeadStopsAfterTheAskedLength) {
    PutCardFile("PCCARD/DCIMAGES/H.DAT", 5000);
    BYTE* data = nullptr;
    DWORD length = 0;
    ASSERT_EQ(0u, CameraReadFileHead(camera, "\\PCCARD\\DCIMAGES\\H.DAT", 700, &data, &length));
    EXPECT_EQ(700u, length);
    auto file = ReadCardFile(CardPath("PCCARD/DCIMAGES/H.DAT"));
    EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + 700), std::vector<BYTE>(data, data + 700));
    FreeCameraBuffer(data);
    data = nullptr;
    EXPECT_EQ(16u, CameraReadFileHead(camera, "\\PCCARD\\DCIMAGES\\H.DAT", 0, &data, &length));
}

TEST_F(TransferTest, ThumbnailIsFourPacketsOfWhichTheLastGivesThreeHundredEightyFour) {
    Progress progress;
    BYTE* thumb = nullptr;
    ASSERT_EQ(0u, CameraReadThumbnailByNumber(camera, 0, &thumb, Record, reinterpret_cast<ULONG_PTR>(&progress)));
    std::vector<std::pair<DWORD, DWORD>> expected = {{0, 3456}, {1024, 3456}, {2048, 3456}, {3072, 3456}, {3456, 3456}};
    EXPECT_EQ(expected, progress.calls);
    std::string fromCamera = (HostBytes(), CameraBytes());
    // D1, then four packets of control byte, 1024 data bytes and checksum, then the completion byte.
    EXPECT_EQ(2u + 4 * 2 * 1026 + 2, fromCamera.size());
    EXPECT_EQ(Hex(thumb, 1024), fromCamera.substr(4, 2048));
    EXPECT_EQ(Hex(thumb + 3072, 384), fromCamera.substr(2 + 3 * 2052 + 2, 768));
    FreeCameraBuffer(thumb);
}

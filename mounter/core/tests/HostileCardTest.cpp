// A card written by a hostile device: album titles of "ALBUM.CTL" and directory entries that name
// parent directories, other drives, streams and devices, or hold control characters and trailing
// dots. Everything dragged out of it lands inside the temporary area, each album under its
// directory's own name where its title is unusable, and nothing outside the area is created or
// changed.
#include "CameraDouble.h"
#include "ImageFileDataSource.h"
#include "ImageFileDropSource.h"
#include "MessageBoxAnswerer.h"
#include "MounterFixture.h"
#include "TempArea.h"
#include "TransferSupport.h"
#include "UniqueHandle.h"

#include <map>
#include <set>

using namespace transfertest;

namespace {

constexpr char kHostileAlbums[] =
    "ALBUM_FILE\r\n"
    "\"ALBUM001\",\"..\"\r\n"
    "\"ALBUM002\",\"..\\..\\X\\\"\r\n"
    "\"ALBUM009\",\"CON.ALB\"\r\n"
    "\"AUX\",\"NUL.ALB\"\r\n";

// What a directory tree holds: each path with its size and time of last change.
using Snapshot = std::map<std::string, std::pair<ULONGLONG, ULONGLONG>>;

// The paths that one snapshot has and the other has not, or has otherwise.
std::vector<std::string> Changes(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> changed;
    for (const auto& [path, state] : after) {
        auto old = before.find(path);
        if (old == before.end() || old->second != state) changed.push_back(path);
    }
    for (const auto& [path, state] : before)
        if (!after.count(path)) changed.push_back(path + " (gone)");
    return changed;
}

void TakeSnapshot(const std::string& directory, const std::string& skipped, int depth, Snapshot* out) {
    WIN32_FIND_DATAA found;
    pv::UniqueFind search(FindFirstFileA((directory + "*").c_str(), &found));
    if (!search) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = directory + name;
        if (path + "\\" == skipped) continue;
        (*out)[path] = {(ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                        (ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime};
        // Hidden directories are noted but not walked: under Wine the user's folders lead to the Unix
        // home, whose hidden directories (caches) other programs keep writing to.
        bool walked = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
        if (walked && depth > 0) TakeSnapshot(path + "\\", skipped, depth - 1, out);
    } while (FindNextFileA(search.get(), &found));
}

// The directory two levels above the area (where "..\..\X\" leads), the root of the drive and
// the current directory, without the area itself.
Snapshot Surroundings(const std::string& area) {
    std::string above = area;
    for (int level = 0; level < 3; ++level) above = above.substr(0, above.rfind('\\', above.size() - 2) + 1);
    Snapshot snapshot;
    TakeSnapshot(above, area, 4, &snapshot);
    TakeSnapshot("C:\\", area, 0, &snapshot);
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    TakeSnapshot(std::string(current) + "\\", area, 0, &snapshot);
    return snapshot;
}

// The 11 bytes of name and extension of a directory entry.
std::string Entry(const std::string& name, const std::string& extension) {
    return (name + std::string(8, ' ')).substr(0, 8) + (extension + "   ").substr(0, 3);
}

class HostileCardTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        WriteLocalFile(CardPath("PCCARD/DCIMAGES/ALBUM.CTL"), kHostileAlbums);
        script.renamed = {
            {"ALBUM003", Entry("AUX", "")},
            {"README.TXT", Entry("..\\..\\X", "TXT")},
            {"PV000006.JPG", Entry("NUL", "JPG")},
            {"PV000008.JPG", Entry("C:EVIL", "JPG")},
            {"PV000009.FPX", Entry("A:B", "FPX")},
            {"PV000001.JPG", Entry("\x01" "BELL", "JPG")},
            {"PV000002.JPG", Entry("LPT1", "JPG")},
            {"PV000003.JPG", Entry("TRAIL.", "")},
        };
        scoped = std::make_unique<cameradouble::ScopedCameraDouble>(&script);
        folder = MakeCardFolder();
        EmptyTempArea();
        area = TempAreaPath();
        ASSERT_FALSE(area.empty());
        before = Surroundings(area);
        boxes = std::make_unique<dialogtest::MessageBoxAnswerer>(std::vector<std::string>{dialogtest::kMounterCaption});
    }
    void TearDown() override {
        EXPECT_TRUE(boxes->Seen().empty()) << boxes->Seen().front().text;
        boxes.reset();
        folder.reset();
        scoped.reset();
        MounterCameraTest::TearDown();
    }

    cameradouble::Script script;
    std::unique_ptr<cameradouble::ScopedCameraDouble> scoped;
    FolderPtr folder;
    std::string area;
    Snapshot before;
    std::unique_ptr<dialogtest::MessageBoxAnswerer> boxes;
};

}  // namespace

TEST_F(HostileCardTest, EverythingDraggedOutLandsInsideTheTemporaryArea) {
    std::vector<Pidl> listed = Enumerate(folder->ShellFolder(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
    std::vector<LPCITEMIDLIST> items;
    std::set<std::string> names;
    for (const Pidl& item : listed) {
        items.push_back(item.get());
        names.insert(itemid::NameOf(item.get()));
    }
    ASSERT_TRUE(names.count("..\\..\\X.TXT") && names.count("NUL.JPG") && names.count("C:EVIL.JPG") &&
                names.count("AUX"))
        << "the double lists the hostile names";

    auto drop = Owned<CImageFileDropSource>::attach(CImageFileDropSource::Create());
    auto data = Owned<CImageFileDataSource>::attach(CImageFileDataSource::Create(folder.get(), nullptr, drop.get()));
    ASSERT_TRUE(data->AddItems(static_cast<UINT>(items.size()), items.data()));
    drop->BeginDrag();
    ASSERT_EQ(DRAGDROP_S_DROP, drop->QueryContinueDrag(FALSE, 0));
    FORMATETC request = GlobalFormat(CF_HDROP);
    STGMEDIUM medium = {};
    ASSERT_EQ(S_OK, data->GetData(&request, &medium));
    Global list(medium.hGlobal);
    std::vector<std::string> paths = DroppedPaths(list.get());
    EXPECT_EQ(items.size(), paths.size()) << "every item was copied";
    for (const std::string& path : paths) {
        char full[MAX_PATH] = {};
        GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
        EXPECT_EQ(path, full) << "no parent, device or stream names";
        ASSERT_EQ(0u, path.find(area)) << path;
        EXPECT_EQ(std::string::npos, path.find_first_of("\\/:", area.size())) << path;
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path;
    }

    // Albums whose titles are unusable arrive under their directories' own names, made usable.
    EXPECT_EQ((std::vector<std::string>{"ALB00001.ODC", "ALB00002.ODC", "TRAIL", "_BELL.JPG", "_LPT1.JPG"}),
              FilesIn(area + "ALBUM001"));
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/ALBUM001/PV000002.JPG"), ReadLocalFile(area + "ALBUM001\\_LPT1.JPG"));
    EXPECT_EQ(FilesIn(CardPath("PCCARD/DCIMAGES/ALBUM002")), FilesIn(area + "ALBUM002"));
    EXPECT_EQ((std::vector<std::string>{"BROKEN.JPG"}), FilesIn(area + "_AUX")) << "a device, with a device title";
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/PV000006.JPG"), ReadLocalFile(area + "_NUL.JPG"));
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/README.TXT"), ReadLocalFile(area + ".._.._X.TXT"));

    EXPECT_EQ(std::vector<std::string>(), Changes(before, Surroundings(area)))
        << "nothing outside the area was created or changed";
}

TEST_F(HostileCardTest, AlbumCopiesAndFileDialogNamesStayInTheirDirectory) {
    ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    for (const char* directory : {"ALBUM001", "ALBUM002"}) {
        CopyOutcome outcome;
        Item album = MakeItem(directory, MntAlbum, 0);
        EXPECT_EQ(1, folder->CopyAlbumToDisk(album.get(), area.c_str(), &outcome, nullptr)) << directory;
        EXPECT_EQ(directory, folder->LocalAlbumName(directory));
    }
    EXPECT_EQ("_AUX", folder->LocalAlbumName("AUX"));
    EXPECT_EQ("ALBUM009", folder->LocalAlbumName("ALBUM009")) << "its title is a device";
    EXPECT_FALSE(transfertest::Exists(area + "..\\..\\X"));

    folder->SetInFileDialog(true);
    for (const char* name : {"NUL.JPG", "..\\..\\X.TXT", "C:EVIL.JPG"}) {
        Item file = MakeItem(name, MntPictureFile, 0);
        std::string parsing = DisplayName(folder->ShellFolder(), file.get(), SHGDN_FORPARSING);
        EXPECT_EQ(0u, parsing.find(area)) << parsing;
        EXPECT_EQ(std::string::npos, parsing.find_first_of("\\/:", area.size())) << parsing;
    }
    EXPECT_EQ(std::vector<std::string>(), Changes(before, Surroundings(area)));
}

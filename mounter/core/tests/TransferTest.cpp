// Dragging pictures and albums out of the camera: the data source against the simulator. A target
// that asks before the drop gets names only; after the drop each item is copied into the temporary
// area once, and the names, identifiers and messages follow what arrived.
#include "Album.h"
#include "CameraDouble.h"
#include "DialogDriver.h"
#include "DragFormats.h"
#include "ImageFileDataSource.h"
#include "ImageFileDropSource.h"
#include "MessageBoxAnswerer.h"
#include "MounterFixture.h"
#include "MounterResources.h"
#include "TempArea.h"
#include "TransferSupport.h"

#include <atomic>
#include <fstream>

using namespace transfertest;

namespace {

constexpr char kCard[] = "PCCARD/DCIMAGES/";

class TransferDataSourceTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        folder = MakeCardFolder();
        EmptyTempArea();
        area = TempAreaPath();
        ASSERT_FALSE(area.empty());
        boxes = std::make_unique<dialogtest::MessageBoxAnswerer>(std::vector<std::string>{dialogtest::kMounterCaption});
    }

    void TearDown() override {
        EXPECT_EQ(expectedBoxes, boxes->Seen().size());
        boxes.reset();
        data.reset();
        drop.reset();
        folder.reset();
        MounterCameraTest::TearDown();
    }

    void Connect() { ASSERT_EQ(0, folder->ConnectCamera(1, nullptr)); }

    // An item of the card folder sized as the card image's file.
    Item Picture(const std::string& name) {
        return MakeItem(name, MntPictureFile, static_cast<DWORD>(CardFile(kCard + name).size()));
    }

    // The drag's two objects over the items, built as a drag builds them.
    template <typename... Items>
    void Build(Items... items) {
        std::vector<Item> list;
        (list.push_back(std::move(items)), ...);
        BuildList(list);
    }

    void BuildList(const std::vector<Item>& items) {
        drop = Owned<CImageFileDropSource>::attach(CImageFileDropSource::Create());
        data = Owned<CImageFileDataSource>::attach(CImageFileDataSource::Create(folder.get(), nullptr, drop.get()));
        std::vector<LPCITEMIDLIST> ids;
        for (const Item& item : items) ids.push_back(item.get());
        ASSERT_TRUE(data->AddItems(static_cast<UINT>(ids.size()), ids.data()));
        drop->BeginDrag();
    }

    // What the drag loop does when the mouse button comes up over a target.
    void Drop() { ASSERT_EQ(DRAGDROP_S_DROP, drop->QueryContinueDrag(FALSE, 0)); }

    HRESULT Get(CLIPFORMAT format, Global* block) {
        FORMATETC request = GlobalFormat(format);
        STGMEDIUM medium = {};
        HRESULT hr = data->GetData(&request, &medium);
        block->reset(SUCCEEDED(hr) ? medium.hGlobal : nullptr);
        if (SUCCEEDED(hr)) {
            EXPECT_EQ(DWORD(TYMED_HGLOBAL), medium.tymed);
        }
        return hr;
    }

    std::vector<std::string> FileList() {
        Global block;
        EXPECT_EQ(S_OK, Get(CF_HDROP, &block));
        return block ? DroppedPaths(block.get()) : std::vector<std::string>();
    }

    void ExpectCopied(const std::string& name) {
        EXPECT_EQ(CardFile(kCard + name), ReadLocalFile(area + name)) << name;
    }

    // The album's name in the temporary area: its title as the shell shows it.
    std::string Title(const std::string& directory) {
        std::string title = folder->LocalAlbumName(directory);
        EXPECT_NE(directory, title) << "the album file names the album";
        return title;
    }

    // The simulator's counts of blocks and bytes: unchanged while the host sends nothing.
    std::string Traffic() { return Sim("counters"); }

    FolderPtr folder;
    std::string area;
    Owned<CImageFileDropSource> drop;
    Owned<CImageFileDataSource> data;
    // Any message box is answered, so that none can stop a test; those expected are counted here.
    std::unique_ptr<dialogtest::MessageBoxAnswerer> boxes;
    size_t expectedBoxes = 0;
};

std::vector<CLIPFORMAT> EnumeratedFormats(IDataObject* data) {
    std::vector<CLIPFORMAT> formats;
    Owned<IEnumFORMATETC> enumerator;
    if (data->EnumFormatEtc(DATADIR_GET, enumerator.put()) != S_OK) return formats;
    FORMATETC format;
    ULONG fetched = 0;
    while (enumerator->Next(1, &format, &fetched) == S_OK && fetched == 1) {
        EXPECT_EQ(DWORD(TYMED_HGLOBAL), format.tymed);
        formats.push_back(format.cfFormat);
    }
    return formats;
}

}  // namespace

TEST_F(TransferDataSourceTest, OffersTheFiveFormatsInOrder) {
    Connect();
    Build(Picture("PV000006.JPG"));
    std::vector<CLIPFORMAT> expected = {dragformat::ShellIdList(), CF_HDROP, dragformat::InDragLoop(),
                                        dragformat::FileName(), dragformat::FileNameW()};
    EXPECT_EQ(expected, EnumeratedFormats(data.get()));
    for (CLIPFORMAT format : expected) {
        FORMATETC request = GlobalFormat(format);
        EXPECT_EQ(S_OK, data->QueryGetData(&request)) << format;
    }
    FORMATETC text = GlobalFormat(CF_TEXT);
    EXPECT_EQ(DV_E_FORMATETC, data->QueryGetData(&text));
    FORMATETC stream = GlobalFormat(CF_HDROP);
    stream.tymed = TYMED_ISTREAM;
    EXPECT_EQ(DV_E_TYMED, data->QueryGetData(&stream));

    Global loop;
    ASSERT_EQ(S_OK, Get(dragformat::InDragLoop(), &loop));
    EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0}), GlobalBytes(loop.get()));
}

TEST_F(TransferDataSourceTest, NamesAskedBeforeTheDropCopyNothing) {
    Connect();
    Build(Picture("PV000006.JPG"), MakeItem("ALBUM001", MntAlbum, 0));
    std::string before = Traffic();
    EXPECT_EQ((std::vector<std::string>{area + "PV000006.JPG", area + Title("ALBUM001")}), FileList());
    Global name;
    ASSERT_EQ(S_OK, Get(dragformat::FileName(), &name));
    EXPECT_EQ(area + "PV000006.JPG", pv::LockedGlobal(name.get()).as<const char>());
    Global ids;
    ASSERT_EQ(S_OK, Get(dragformat::ShellIdList(), &ids));
    EXPECT_EQ(before, Traffic());
    EXPECT_TRUE(FilesIn(area).empty());
    EXPECT_FALSE(Exists(area + Title("ALBUM001")));
}

TEST_F(TransferDataSourceTest, DropCopiesPicturesAndAlbumsOnce) {
    // The album also holds what a copy leaves out: a hidden file, a system file, a directory.
    std::string album = CardPath("PCCARD/DCIMAGES/ALBUM001");
    ASSERT_TRUE(CreateDirectoryA((album + "\\SUBDIR").c_str(), nullptr));
    WriteLocalFile(album + "\\SUBDIR\\INNER.JPG", "inner");
    WriteLocalFile(album + "\\SECRET.DAT", "secret");
    WriteLocalFile(album + "\\SYSFILE.DAT", "system");
    std::ofstream(CardPath(".pvcard"), std::ios::app) << "attr 02 PCCARD/DCIMAGES/ALBUM001/SECRET.DAT\n"
                                                      << "attr 04 PCCARD/DCIMAGES/ALBUM001/SYSFILE.DAT\n";
    std::string linuxCard = card.substr(2);
    for (char& c : linuxCard)
        if (c == '\\') c = '/';
    Sim("load " + linuxCard);

    Connect();
    Build(Picture("PV000006.JPG"), MakeItem("ALBUM001", MntAlbum, 0), MakeItem("README.TXT", MntOtherFile, 43));
    Drop();
    std::string local = area + Title("ALBUM001");
    EXPECT_EQ(0u, local.find(area + "Summer Trip"));
    std::vector<std::string> expected = {area + "PV000006.JPG", local, area + "README.TXT"};
    Global list;
    ASSERT_EQ(S_OK, Get(CF_HDROP, &list));
    EXPECT_EQ(expected, DroppedPaths(list.get()));
    {
        pv::LockedGlobal header(list.get());
        EXPECT_EQ(20u, header.as<DROPFILES>()->pFiles);
        EXPECT_TRUE(header.as<DROPFILES>()->fWide) << "Wine answers as Windows NT";
    }
    EXPECT_EQ(3u * 520 + 22, GlobalSize(list.get()));

    ExpectCopied("PV000006.JPG");
    ExpectCopied("README.TXT");
    std::vector<std::string> albumFiles = {"ALB00001.ODC", "ALB00002.ODC", "PV000001.JPG", "PV000002.JPG", "PV000003.JPG"};
    EXPECT_EQ(albumFiles, FilesIn(local));
    for (const std::string& name : albumFiles)
        EXPECT_EQ(CardFile("PCCARD/DCIMAGES/ALBUM001/" + name), ReadLocalFile(local + "\\" + name));
    EXPECT_FALSE(Exists(local + "\\SUBDIR"));

    std::string before = Traffic();
    EXPECT_EQ(expected, FileList());
    Global wideName;
    ASSERT_EQ(S_OK, Get(dragformat::FileNameW(), &wideName));
    EXPECT_EQ(dragformat::Widen(area + "PV000006.JPG"), pv::LockedGlobal(wideName.get()).as<const wchar_t>());
    EXPECT_EQ(520u, GlobalSize(wideName.get()));
    EXPECT_EQ(before, Traffic()) << "copied once";
}

TEST_F(TransferDataSourceTest, IdListArrayParsesBackToTheCopies) {
    Connect();
    Build(Picture("PV000007.FPX"), MakeItem("ALBUM002", MntAlbum, 0));
    Drop();
    Global block;
    ASSERT_EQ(S_OK, Get(dragformat::ShellIdList(), &block));
    pv::LockedGlobal locked(block.get());
    auto* ids = locked.as<CIDA>();
    ASSERT_EQ(2u, ids->cidl);
    auto* base = reinterpret_cast<const BYTE*>(ids);
    auto parent = reinterpret_cast<LPCITEMIDLIST>(base + ids->aoffset[0]);
    std::vector<std::string> paths;
    for (UINT i = 1; i <= ids->cidl; ++i) {
        Pidl full(ILCombine(parent, reinterpret_cast<LPCITEMIDLIST>(base + ids->aoffset[i])));
        char path[MAX_PATH] = {};
        EXPECT_TRUE(SHGetPathFromIDListA(full.get(), path));
        paths.push_back(path);
    }
    EXPECT_EQ((std::vector<std::string>{area + "PV000007.FPX", area + Title("ALBUM002")}), paths);
    ExpectCopied("PV000007.FPX");
    EXPECT_EQ((std::vector<std::string>{"ALB00003.ODC", "PV000004.FPX", "PV000005.JPG"}), FilesIn(area + Title("ALBUM002")));
}

TEST_F(TransferDataSourceTest, SessionClosedSinceTheDragBeganIsOpenedForTheCopy) {
    Connect();
    Build(Picture("PV000008.JPG"));
    folder->CloseCamera();
    Drop();
    EXPECT_EQ((std::vector<std::string>{area + "PV000008.JPG"}), FileList());
    ExpectCopied("PV000008.JPG");
}

TEST_F(TransferDataSourceTest, TooLittleSpaceShows9013AndCopiesNothing) {
    // Items of the largest size an item can hold, enough of them to need more than the disk has.
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA(area.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    ULONGLONG available = ULONGLONG(sectorsPerCluster) * bytesPerSector * freeClusters;
    std::vector<Item> items;
    for (ULONGLONG needed = 0; needed <= available; needed += MAXDWORD)
        items.push_back(MakeItem("PV000006.JPG", MntPictureFile, MAXDWORD));
    ASSERT_GE(items.size(), 2u) << "the sum must pass 32 bits";
    Connect();
    BuildList(items);
    Drop();
    std::string before = Traffic();
    expectedBoxes = 1;
    Global block;
    EXPECT_EQ(E_FAIL, Get(CF_HDROP, &block));
    EXPECT_EQ(E_FAIL, Get(dragformat::FileName(), &block)) << "every later rendering fails";
    EXPECT_EQ(E_FAIL, Get(dragformat::ShellIdList(), &block));
    std::vector<dialogtest::MessageBoxSeen> seen = boxes->Seen();
    ASSERT_EQ(1u, seen.size());
    std::string drive = area.substr(0, area.find(':') + 1);
    ASSERT_EQ(2u, drive.size());
    EXPECT_EQ("There is not enough temporary disk space to complete the operation.\nPlease delete some files from the " +
                  drive + " drive or select fewer pictures to copy.",
              seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    EXPECT_TRUE(FilesIn(area).empty());
    EXPECT_EQ(before, Traffic()) << "nothing was read";
}

TEST_F(TransferDataSourceTest, CancellingTheSecondOfThreePicturesDeliversTheFirst) {
    Connect();
    Build(Picture("PV000006.JPG"), Picture("PV000009.FPX"), Picture("PV000010.JPG"));
    Drop();
    Sim("throttle on");   // 115200 baud: the large second picture takes seconds
    std::atomic<bool> cancelled{false};
    Global list;
    {
        dialogtest::Watcher watcher([&] {
            for (int poll = 0; poll < 3000 && !cancelled; ++poll) {
                HWND dialog = FindWindowA("#32770", "Picture File Copy Progress");
                if (dialog && dialogtest::ControlText(dialog, IDC_COPY_FILE_NAME) == "PV000009.FPX") {
                    dialogtest::ClickButton(dialog, IDCANCEL);
                    cancelled = true;
                }
                Sleep(20);
            }
        });
        ASSERT_EQ(S_OK, Get(CF_HDROP, &list));
    }
    ASSERT_TRUE(cancelled);
    Sim("throttle off");
    EXPECT_EQ((std::vector<std::string>{area + "PV000006.JPG"}), DroppedPaths(list.get()));
    EXPECT_EQ((std::vector<std::string>{"PV000006.JPG"}), FilesIn(area));
    ExpectCopied("PV000006.JPG");
    Global ids;
    ASSERT_EQ(S_OK, Get(dragformat::ShellIdList(), &ids));
    EXPECT_EQ(1u, pv::LockedGlobal(ids.get()).as<CIDA>()->cidl);
    EXPECT_EQ(nullptr, FindWindowA("#32770", "Picture File Copy Progress"));
}

TEST_F(TransferDataSourceTest, FirstNameCopiesTheFirstItemAndTheListTheRest) {
    Connect();
    Build(Picture("PV000006.JPG"), Picture("PV000008.JPG"));
    Drop();
    Global name;
    ASSERT_EQ(S_OK, Get(dragformat::FileName(), &name));
    EXPECT_EQ((std::vector<std::string>{"PV000006.JPG"}), FilesIn(area));
    EXPECT_EQ(2u, FileList().size());
    ExpectCopied("PV000006.JPG");
    ExpectCopied("PV000008.JPG");
}

TEST_F(TransferDataSourceTest, MoveDeletesTheCopiedPicturesFromTheCamera) {
    Connect();
    Build(Picture("PV000006.JPG"), Picture("PV000008.JPG"), Picture("PV000010.JPG"));
    Drop();
    Global name;
    ASSERT_EQ(S_OK, Get(dragformat::FileName(), &name));   // copies the first only
    data->DeleteMovedPictures();
    EXPECT_FALSE(Exists(CardPath("PCCARD/DCIMAGES/PV000006.JPG")));
    EXPECT_TRUE(Exists(CardPath("PCCARD/DCIMAGES/PV000008.JPG"))) << "never copied";

    Build(Picture("PV000008.JPG"), Picture("PV000010.JPG"));
    Drop();
    EXPECT_EQ(2u, FileList().size());
    data->DeleteMovedPictures();
    EXPECT_FALSE(Exists(CardPath("PCCARD/DCIMAGES/PV000008.JPG")));
    EXPECT_FALSE(Exists(CardPath("PCCARD/DCIMAGES/PV000010.JPG")));
}

TEST_F(TransferDataSourceTest, MoveOfAnAlbumDeletesNothing) {
    Connect();
    Build(MakeItem("ALBUM002", MntAlbum, 0), Picture("PV000007.FPX"));
    Drop();
    EXPECT_EQ(2u, FileList().size());
    ExpectCopied("PV000007.FPX");
    data->DeleteMovedPictures();
    EXPECT_TRUE(Exists(CardPath("PCCARD/DCIMAGES/ALBUM002/PV000004.FPX")));
    EXPECT_TRUE(Exists(CardPath("PCCARD/DCIMAGES/PV000007.FPX"))) << "the walk stops at the album";
}

TEST_F(TransferDataSourceTest, PicturesOfAnAlbumFolderAreCopied) {
    auto album = FolderPtr::attach(CAlbum::CreateObject());
    Item card(itemid::MakeMemory(MntMemoryCard));
    Item directory = MakeItem("ALBUM001", MntAlbum, 0);
    Item list(itemid::Append(card.get(), directory.get()));
    ASSERT_EQ(S_OK, album->PersistInitialize(list.get()));
    folder = album;
    Connect();
    Build(MakeItem("PV000002.JPG", MntPictureFile, 100), MakeItem("PV000003.JPG", MntPictureFile, 100));
    Drop();
    EXPECT_EQ((std::vector<std::string>{area + "PV000002.JPG", area + "PV000003.JPG"}), FileList());
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/ALBUM001/PV000002.JPG"), ReadLocalFile(area + "PV000002.JPG"));
}

TEST_F(TransferDataSourceTest, ADropThatDeliversNothingFails) {
    Connect();
    Build(MakeItem("NOSUCH.JPG", MntPictureFile, 100), Picture("PV000006.JPG"));
    Drop();
    Global block;
    EXPECT_EQ(E_FAIL, Get(CF_HDROP, &block)) << "the first copy failed: the list ends before it";
    EXPECT_EQ(E_FAIL, Get(dragformat::FileName(), &block));
    EXPECT_EQ(E_FAIL, Get(dragformat::ShellIdList(), &block));
}

TEST_F(TransferDataSourceTest, NamesAreReadWithinTheirItem) {
    // An item whose name fills it to the last byte, followed by another item of the list.
    Item first = MakeItem("ABCD", MntPictureFile, 10), second = MakeItem("XYZ", MntPictureFile, 10);
    std::vector<BYTE> list(first.get()->mkid.cb);
    memcpy(list.data(), first.get(), list.size());
    list.back() = 'E';
    const BYTE* rest = reinterpret_cast<const BYTE*>(second.get());
    list.insert(list.end(), rest, rest + itemid::ListSize(second.get()));
    Connect();
    drop = Owned<CImageFileDropSource>::attach(CImageFileDropSource::Create());
    data = Owned<CImageFileDataSource>::attach(CImageFileDataSource::Create(folder.get(), nullptr, drop.get()));
    LPCITEMIDLIST item = reinterpret_cast<LPCITEMIDLIST>(list.data());
    ASSERT_TRUE(data->AddItems(1, &item));
    drop->BeginDrag();
    EXPECT_EQ((std::vector<std::string>{area + "ABCDE"}), FileList());
}

TEST_F(TransferDataSourceTest, EightBitFileListsKeepTheShellsLayout) {
    std::vector<BYTE> bytes = dragformat::MakeFileList({"C:\\A\\ONE.JPG", "C:\\A\\TWO.JPG"}, 3, false);
    EXPECT_EQ(3u * 260 + 21, bytes.size());
    const auto* header = reinterpret_cast<const DROPFILES*>(bytes.data());
    EXPECT_EQ(20u, header->pFiles);
    EXPECT_FALSE(header->fWide);
    Global block(dragformat::CopyToGlobal(bytes));
    EXPECT_EQ((std::vector<std::string>{"C:\\A\\ONE.JPG", "C:\\A\\TWO.JPG"}), DroppedPaths(block.get()));
    EXPECT_EQ(0, bytes[20 + 13 + 13]) << "the list ends with an empty name";
}

TEST_F(TransferDataSourceTest, AlbumsCountEveryFileInTheSpaceCheck) {
    cameradouble::Script script;
    script.resizedDirectory = "\\PCCARD\\DCIMAGES\\ALBUM002";
    script.resizedTo = MAXDWORD;
    cameradouble::ScopedCameraDouble double_(&script);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA(area.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    ULONGLONG available = ULONGLONG(sectorsPerCluster) * bytesPerSector * freeClusters;
    Connect();
    mounter::CameraBuffer entries;
    DWORD count = 0;
    ASSERT_EQ(0u, CameraListDirectory(folder->Session(), script.resizedDirectory.c_str(), entries.put(), &count));
    ULONGLONG perAlbum = ULONGLONG(count) * MAXDWORD;
    std::vector<Item> albums;
    for (ULONGLONG needed = 0; needed <= available; needed += perAlbum) albums.push_back(MakeItem("ALBUM002", MntAlbum, 0));
    BuildList(albums);
    Drop();
    expectedBoxes = 1;
    Global block;
    EXPECT_EQ(E_FAIL, Get(CF_HDROP, &block));
    ASSERT_EQ(1u, boxes->Seen().size());
    EXPECT_EQ(0u, boxes->Seen()[0].text.find("There is not enough temporary disk space"));
    EXPECT_FALSE(Exists(area + Title("ALBUM002")));
}

// Folders bound one, two and three levels deep answer the identifier list they were bound with and
// the camera directory of their own level, on the memory card and in an internal memory that a
// camera double reports.
#include "Album.h"
#include "CameraDouble.h"
#include "MounterFixture.h"
#include "TransferSupport.h"

#include <shlwapi.h>

#include <future>
#include <memory>
#include <thread>

namespace {

constexpr SHCONTF kAll = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;

std::vector<BYTE> Bytes(LPCITEMIDLIST pidl) {
    auto* first = reinterpret_cast<const BYTE*>(pidl);
    return std::vector<BYTE>(first, first + itemid::ListSize(pidl));
}

// The lists one after the other, as one list.
Pidl Joined(std::initializer_list<LPCITEMIDLIST> lists) {
    std::vector<BYTE> bytes;
    for (LPCITEMIDLIST list : lists) {
        std::vector<BYTE> more = Bytes(list);
        bytes.insert(bytes.end(), more.begin(), more.end() - 2);
    }
    bytes.insert(bytes.end(), {0, 0});
    Pidl joined(static_cast<LPITEMIDLIST>(CoTaskMemAlloc(bytes.size())));
    memcpy(joined.get(), bytes.data(), bytes.size());
    return joined;
}

// The list a folder says it was initialised with (IPersistFolder2).
std::vector<BYTE> CurrentList(IShellFolder* folder) {
    ComPtr<IPersistFolder2> persist;
    Pidl list;
    if (FAILED(folder->QueryInterface(IID_IPersistFolder2, persist.putVoid())) || persist->GetCurFolder(list.put()) != S_OK)
        return {};
    return Bytes(list.get());
}

class FolderBindTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        BindCameraFolder(camera.put(), &cameraPidl);
        ASSERT_TRUE(camera);
    }
    // The card's or the internal memory's item and an album in it, as the folders list them.
    void FindAlbum(const char* memoryName, const char* albumTitle) {
        memory = FindChild(camera.get(), memoryName, kAll);
        ASSERT_TRUE(memory) << memoryName;
        ComPtr<IShellFolder> memoryFolder;
        ASSERT_EQ(S_OK, camera->BindToObject(memory.get(), nullptr, IID_IShellFolder, memoryFolder.putVoid()));
        album = FindChild(memoryFolder.get(), albumTitle, SHCONTF_FOLDERS);
        if (!album) album = FindChild(memoryFolder.get(), std::string(albumTitle) + ".alb", SHCONTF_FOLDERS);
        ASSERT_TRUE(album) << albumTitle;
    }
    // Binds at every depth and checks each folder's list and the camera paths of its children.
    void ExpectEveryDepth(const std::string& memoryPath, const std::string& albumDirectory) {
        ComPtr<IShellFolder> one, two, three;
        ASSERT_EQ(S_OK, camera->BindToObject(memory.get(), nullptr, IID_IShellFolder, one.putVoid()));
        EXPECT_EQ(Bytes(Joined({cameraPidl.get(), memory.get()}).get()), CurrentList(one.get()));
        EXPECT_EQ("ORVIK Camera:" + memoryPath + "\\" + albumDirectory,
                  DisplayName(one.get(), album.get(), SHGDN_FORPARSING));

        Pidl memoryAndAlbum = Joined({memory.get(), album.get()});
        ASSERT_EQ(S_OK, camera->BindToObject(memoryAndAlbum.get(), nullptr, IID_IShellFolder, two.putVoid()));
        Pidl absolute = Joined({cameraPidl.get(), memory.get(), album.get()});
        EXPECT_EQ(Bytes(absolute.get()), CurrentList(two.get()));

        ComPtr<IShellFolder> desktop;
        ASSERT_EQ(S_OK, SHGetDesktopFolder(desktop.put()));
        ASSERT_EQ(S_OK, desktop->BindToObject(absolute.get(), nullptr, IID_IShellFolder, three.putVoid()));
        EXPECT_EQ(Bytes(absolute.get()), CurrentList(three.get()));

        for (IShellFolder* albumFolder : {two.get(), three.get()}) {
            std::vector<Pidl> files = Enumerate(albumFolder, kAll);
            ASSERT_FALSE(files.empty());
            for (const Pidl& file : files)
                EXPECT_EQ("ORVIK Camera:" + memoryPath + "\\" + albumDirectory + "\\" + itemid::NameOf(file.get()),
                          DisplayName(albumFolder, file.get(), SHGDN_FORPARSING));
        }
    }

    ComPtr<IShellFolder> camera;
    Pidl cameraPidl;
    Pidl memory;
    Pidl album;
};

}  // namespace

TEST_F(FolderBindTest, CardFoldersKnowTheirListAndDirectoryAtEveryDepth) {
    FindAlbum("Memory Card", "Summer Trip");
    ExpectEveryDepth("\\PCCARD\\DCIMAGES", "ALBUM001");
}

TEST_F(FolderBindTest, InternalMemoryIsListedFirstWithItsOwnIconPathAndAlbums) {
    CreateDirectoryA(CardPath("MEMORY/ALBUM010").c_str(), nullptr);
    transfertest::WriteLocalFile(CardPath("MEMORY/ALBUM010/PV000050.JPG"), "not a picture");
    transfertest::WriteLocalFile(CardPath("MEMORY/ALBUM.CTL"), "ALBUM_FILE\r\n\"ALBUM010\",\"Indoors.alb\"\r\n");
    cameradouble::Script script;
    script.internalMemory = true;
    cameradouble::ScopedCameraDouble double_(&script);
    BindCameraFolder(camera.put(), &cameraPidl);   // a camera folder that opens the double

    std::vector<Pidl> memories = Enumerate(camera.get(), kAll);
    ASSERT_EQ(2u, memories.size());
    EXPECT_EQ(DWORD(MntCameraMemory), itemid::TypeOf(memories[0].get()));
    EXPECT_EQ("MEMORY", itemid::NameOf(memories[0].get()));
    EXPECT_EQ(DWORD(MntMemoryCard), itemid::TypeOf(memories[1].get()));
    EXPECT_EQ("Camera Memory", DisplayName(camera.get(), memories[0].get(), SHGDN_NORMAL));
    EXPECT_EQ("ORVIK PV350 / PV360 Zoom Camera:\\MEMORY", DisplayName(camera.get(), memories[0].get(), SHGDN_FORPARSING));
    EXPECT_EQ("Camera Memory", ItemTypeText(memories[0].get()));

    LPCITEMIDLIST item = memories[0].get();
    ComPtr<IExtractIconA> icon;
    ASSERT_EQ(S_OK, camera->GetUIObjectOf(nullptr, 1, &item, IID_IExtractIconA, nullptr, icon.putVoid()));
    char file[MAX_PATH];
    int index = -1;
    UINT flags = 0;
    ASSERT_EQ(S_OK, icon->GetIconLocation(GIL_FORSHELL, file, sizeof file, &index, &flags));
    EXPECT_EQ(1, index);

    FindAlbum("Camera Memory", "Indoors");
    ExpectEveryDepth("\\MEMORY", "ALBUM010");
}

TEST_F(FolderBindTest, AnAlbumOfAOneItemListIsInitialisedAtOnce) {
    auto album = transfertest::FolderPtr::attach(CAlbum::CreateObject());
    transfertest::Item item = transfertest::MakeItem("ALBUM001", MntAlbum, 0);
    auto initialized = std::make_shared<std::promise<HRESULT>>();
    std::future<HRESULT> result = initialized->get_future();
    std::thread([folder = album.get(), list = item.get(), initialized] {
        initialized->set_value(folder->PersistInitialize(list));
    }).detach();
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        album.detach();   // still in use by the thread that does not return
        item.release();
        FAIL() << "Initialize does not return";
    }
    EXPECT_EQ(S_OK, result.get());
    EXPECT_EQ(LONG(MntAlbum), album->FolderKind());
    EXPECT_EQ("\\PCCARD\\DCIMAGES\\ALBUM001", album->CameraPath());
}

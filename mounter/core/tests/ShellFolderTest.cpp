// The camera as Wine's own shell sees it: the junction under My Computer, the folders below it,
// their enumerations, names, attributes, comparisons and icons.
#include "MounterFixture.h"
#include "TransferSupport.h"

#include <shlwapi.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr SHCONTF kAll = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;

std::set<std::string> Names(const std::vector<Pidl>& items) {
    std::set<std::string> names;
    for (const Pidl& item : items) names.insert(itemid::NameOf(item.get()));
    return names;
}

class ShellFolderTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        BindCameraFolder(camera.put(), &cameraPidl);
        ASSERT_TRUE(camera);
    }
    // The memory card folder (bound from the camera folder) and its item.
    void BindCard() {
        cardItem = FindChild(camera.get(), "Memory Card", kAll);
        ASSERT_TRUE(cardItem);
        ASSERT_EQ(S_OK, camera->BindToObject(cardItem.get(), nullptr, IID_IShellFolder, cardFolder.putVoid()));
    }
    // A file of the card folder, whether the shell shows its name with the extension or without.
    Pidl FindCardFile(const std::string& name, const std::string& extension) {
        Pidl file = FindChild(cardFolder.get(), name + extension, SHCONTF_NONFOLDERS);
        return file ? std::move(file) : FindChild(cardFolder.get(), name, SHCONTF_NONFOLDERS);
    }

    ComPtr<IShellFolder> camera;
    Pidl cameraPidl;
    Pidl cardItem;
    ComPtr<IShellFolder> cardFolder;
};

}  // namespace

TEST_F(ShellFolderTest, MyComputerShowsTheCamera) {
    ComPtr<IShellFolder> desktop;
    ASSERT_EQ(S_OK, SHGetDesktopFolder(desktop.put()));
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives));
    Pidl drivesPidl(drives);
    ComPtr<IShellFolder> myComputer;
    ASSERT_EQ(S_OK, desktop->BindToObject(drives, nullptr, IID_IShellFolder, myComputer.putVoid()));
    bool found = false;
    for (Pidl& item : Enumerate(myComputer.get(), kAll))
        found = found || DisplayName(myComputer.get(), item.get(), SHGDN_NORMAL) == "ORVIK PV350 / PV360 Zoom Camera";
    EXPECT_TRUE(found);
    SFGAOF attributes = 0xFFFFFFFF;
    LPCITEMIDLIST junction = itemid::Last(cameraPidl.get());
    ASSERT_EQ(S_OK, myComputer->GetAttributesOf(1, &junction, &attributes));
    EXPECT_EQ(0xF0000000u, attributes & 0xF0000000u);
}

TEST_F(ShellFolderTest, CameraListsTheCardOnlyWhileItIsIn) {
    std::vector<Pidl> memories = Enumerate(camera.get(), kAll);
    ASSERT_EQ(1u, memories.size());   // the camera reports no internal memory
    EXPECT_EQ(DWORD(MntMemoryCard), itemid::TypeOf(memories[0].get()));
    EXPECT_EQ("Memory Card", DisplayName(camera.get(), memories[0].get(), SHGDN_NORMAL));
    EXPECT_EQ("ORVIK Camera:\\PCCARD\\DCIMAGES", DisplayName(camera.get(), memories[0].get(), SHGDN_FORPARSING));
    Sim("card out");
    EXPECT_TRUE(Enumerate(camera.get(), kAll).empty());
}

TEST_F(ShellFolderTest, MemoryListsAlbumsAndFilesAsTheFlagsAsk) {
    BindCard();
    std::vector<Pidl> folders = Enumerate(cardFolder.get(), SHCONTF_FOLDERS);
    EXPECT_EQ((std::set<std::string>{"ALBUM001", "ALBUM002", "ALBUM003"}), Names(folders));
    for (const Pidl& album : folders) EXPECT_EQ(DWORD(MntAlbum), itemid::TypeOf(album.get()));

    std::set<std::string> files = Names(Enumerate(cardFolder.get(), SHCONTF_NONFOLDERS));
    EXPECT_TRUE(files.count("PV000006.JPG") && files.count("PV000007.FPX") && files.count("README.TXT"));
    EXPECT_FALSE(files.count("HIDDEN.DAT") || files.count("SYSTEM.SYS") || files.count("ALBUM001"));

    std::set<std::string> hidden =
        Names(Enumerate(cardFolder.get(), SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN));
    EXPECT_TRUE(hidden.count("HIDDEN.DAT") && hidden.count("SYSTEM.SYS"));
}

TEST_F(ShellFolderTest, FileItemsCarryTypeSizeAndDate) {
    BindCard();
    WIN32_FILE_ATTRIBUTE_DATA onCard;
    ASSERT_TRUE(GetFileAttributesExA(CardPath("PCCARD/DCIMAGES/PV000007.FPX").c_str(), GetFileExInfoStandard, &onCard));
    std::map<std::string, Pidl> files;
    for (Pidl& item : Enumerate(cardFolder.get(), SHCONTF_NONFOLDERS)) {
        std::string name = itemid::NameOf(item.get());
        files[name] = std::move(item);
    }
    ASSERT_TRUE(files.count("PV000007.FPX") && files.count("README.TXT") && files.count("NODATE.TXT"));

    const MounterItemId* picture = itemid::FromIdList(files["PV000007.FPX"].get());
    EXPECT_EQ(DWORD(MntPictureFile), picture->type);
    EXPECT_EQ(onCard.nFileSizeLow, picture->size);
    SYSTEMTIME taken, modified;
    FileTimeToSystemTime(&picture->time, &taken);
    FILETIME local;
    FileTimeToLocalFileTime(&onCard.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &modified);
    EXPECT_EQ(modified.wYear, taken.wYear);
    EXPECT_EQ(modified.wMonth, taken.wMonth);
    EXPECT_EQ(modified.wDay, taken.wDay);
    EXPECT_EQ(DWORD(MntOtherFile), itemid::TypeOf(files["README.TXT"].get()));

    SYSTEMTIME now, stamped;
    GetLocalTime(&now);
    FileTimeToSystemTime(&itemid::FromIdList(files["NODATE.TXT"].get())->time, &stamped);
    EXPECT_EQ(now.wYear, stamped.wYear) << "date 0 gives the enumeration time";
    EXPECT_EQ(now.wMonth, stamped.wMonth);
}

TEST_F(ShellFolderTest, BindsOnlyForShellFolders) {
    BindCard();
    ComPtr<IShellFolder> unknown;
    EXPECT_EQ(E_NOINTERFACE, camera->BindToObject(cardItem.get(), nullptr, IID_IPersistFolder, unknown.putVoid()));
    EXPECT_FALSE(unknown);
}

TEST_F(ShellFolderTest, AttributesFollowTheFirstItemsType) {
    BindCard();
    Pidl album = std::move(Enumerate(cardFolder.get(), SHCONTF_FOLDERS).front());
    Pidl file = FindCardFile("PV000006", ".JPG");
    ASSERT_TRUE(file);
    SFGAOF attributes = 0xFFFFFFFF;
    LPCITEMIDLIST item = cardItem.get();
    EXPECT_EQ(S_OK, camera->GetAttributesOf(1, &item, &attributes));
    EXPECT_EQ(0xE0000000u, attributes);
    attributes = 0xFFFFFFFF;
    item = album.get();
    EXPECT_EQ(S_OK, cardFolder->GetAttributesOf(1, &item, &attributes));
    EXPECT_EQ(0x70000001u, attributes) << "albums can be copied whole";
    attributes = SFGAO_CANCOPY | SFGAO_FOLDER;
    item = file.get();
    EXPECT_EQ(S_OK, cardFolder->GetAttributesOf(1, &item, &attributes));
    EXPECT_EQ(DWORD(SFGAO_CANCOPY), attributes);
    attributes = 0xFFFFFFFF;
    EXPECT_EQ(E_FAIL, camera->GetAttributesOf(1, &item, &attributes));
}

TEST_F(ShellFolderTest, DisplayNamesForEveryFlagTheFoldersAccept) {
    BindCard();
    Pidl album = std::move(Enumerate(cardFolder.get(), SHCONTF_FOLDERS).front());
    Pidl file = FindCardFile("README", ".TXT");
    ASSERT_TRUE(file);
    std::string title = DisplayName(cardFolder.get(), album.get(), SHGDN_NORMAL);
    EXPECT_TRUE(title == "Summer Trip.alb" || title == "Summer Trip") << title;
    EXPECT_EQ(title, DisplayName(cardFolder.get(), album.get(), SHGDN_INFOLDER));
    EXPECT_EQ("ORVIK Camera:\\PCCARD\\DCIMAGES\\ALBUM001", DisplayName(cardFolder.get(), album.get(), SHGDN_FORPARSING));
    EXPECT_EQ("ORVIK Camera:\\PCCARD\\DCIMAGES\\README.TXT",
              DisplayName(cardFolder.get(), file.get(), SHGDN_FORPARSING | SHGDN_INFOLDER));
    for (SHGDNF refused : {SHGDNF(SHGDN_FORADDRESSBAR), SHGDNF(0x2000),
                           SHGDNF(SHGDN_FORPARSING | SHGDN_FORADDRESSBAR), SHGDNF(SHGDN_FOREDITING)}) {
        STRRET name;
        EXPECT_EQ(E_INVALIDARG, cardFolder->GetDisplayNameOf(file.get(), refused, &name)) << refused;
    }
    EXPECT_EQ(E_INVALIDARG, cardFolder->GetDisplayNameOf(file.get(), SHGDN_NORMAL, nullptr));
}

TEST_F(ShellFolderTest, ComparesByEveryColumnAndLevel) {
    BindCard();
    std::vector<Pidl> files = Enumerate(cardFolder.get(), SHCONTF_NONFOLDERS);
    ASSERT_GE(files.size(), 2u);
    auto byName = [&](const char* name) -> LPCITEMIDLIST {
        for (Pidl& f : files)
            if (itemid::NameOf(f.get()) == name) return f.get();
        return nullptr;
    };
    LPCITEMIDLIST small = byName("README.TXT"), large = byName("PV000007.FPX");
    ASSERT_TRUE(small && large);
    auto compare = [&](LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) {
        return static_cast<short>(HRESULT_CODE(cardFolder->CompareIDs(column, a, b)));
    };
    EXPECT_EQ(1, compare(1, small, large)) << "larger sizes sort first";
    EXPECT_EQ(-1, compare(1, large, small));
    EXPECT_EQ(0, compare(1, large, large));
    EXPECT_EQ(lstrcmpA("PV000007.FPX", "README.TXT") < 0 ? -1 : 1, compare(0, large, small));
    EXPECT_EQ(CompareFileTime(&itemid::FromIdList(small)->time, &itemid::FromIdList(large)->time),
              compare(3, small, large));
    EXPECT_EQ(0, compare(7, small, large));

    // Column 2 sorts by type text: "Photo Album" against the shell's type of a text file.
    Pidl album = std::move(Enumerate(cardFolder.get(), SHCONTF_FOLDERS).front());
    std::string albumType = ItemTypeText(album.get()), textType = ItemTypeText(small);
    ASSERT_EQ("Photo Album", albumType);
    ASSERT_FALSE(textType.empty());
    EXPECT_EQ(albumType < textType ? -1 : 1, compare(2, album.get(), small)) << textType;
    EXPECT_EQ(0, compare(2, small, small));
    // A name that cannot be had keeps the result of the level before: -1 at the first.
    transfertest::Item foreign = transfertest::MakeItem("FOREIGN", 77, 0);
    EXPECT_EQ(-1, compare(0, foreign.get(), small));
    EXPECT_EQ(-1, compare(0, small, foreign.get()));

    // Two levels: equal sizes at the first level (the card item) go on to the second.
    auto twoLevels = [&](LPCITEMIDLIST second) {
        UINT first = itemid::ListSize(cardItem.get()) - 2;
        Pidl list(static_cast<LPITEMIDLIST>(CoTaskMemAlloc(first + itemid::ListSize(second))));
        memcpy(list.get(), cardItem.get(), first);
        memcpy(reinterpret_cast<BYTE*>(list.get()) + first, second, itemid::ListSize(second));
        return list;
    };
    Pidl a = twoLevels(small), b = twoLevels(large);
    EXPECT_EQ(1, static_cast<short>(HRESULT_CODE(camera->CompareIDs(1, a.get(), b.get()))));
    EXPECT_EQ(-1, static_cast<short>(HRESULT_CODE(camera->CompareIDs(1, cardItem.get(), b.get()))))
        << "the shorter list sorts first";
}

TEST_F(ShellFolderTest, IconsComeFromTheRegisteredDirectory) {
    char path[MAX_PATH];
    GetModuleFileNameA(MounterModule(), path, sizeof path);
    PathRemoveFileSpecA(path);
    std::string expected = std::string(path) + "\\pvmount.DLL";

    ComPtr<IExtractIconA> cameraIcon;
    ASSERT_EQ(S_OK, camera->QueryInterface(IID_IExtractIconA, cameraIcon.putVoid()));
    char file[MAX_PATH];
    int index = -1;
    UINT flags = 99;
    ASSERT_EQ(S_OK, cameraIcon->GetIconLocation(GIL_FORSHELL, file, sizeof file, &index, &flags));
    EXPECT_EQ(0, lstrcmpiA(expected.c_str(), file)) << file;
    EXPECT_EQ(0, index);
    EXPECT_EQ(0u, flags);
    EXPECT_EQ(S_FALSE, cameraIcon->GetIconLocation(0, file, sizeof file, &index, &flags));
    EXPECT_EQ(S_FALSE, cameraIcon->GetIconLocation(4, file, sizeof file, &index, &flags));
    EXPECT_STREQ("", file);

    BindCard();
    LPCITEMIDLIST item = cardItem.get();
    ComPtr<IExtractIconA> cardIcon;
    ASSERT_EQ(S_OK, camera->GetUIObjectOf(nullptr, 1, &item, IID_IExtractIconA, nullptr, cardIcon.putVoid()));
    ASSERT_EQ(S_OK, cardIcon->GetIconLocation(GIL_FORSHELL, file, sizeof file, &index, &flags));
    EXPECT_EQ(2, index);
    HICON large = nullptr, small = nullptr;
    EXPECT_EQ(S_FALSE, cardIcon->Extract(file, index, &large, &small, MAKELONG(32, 16)));

    Pidl file0 = std::move(Enumerate(cardFolder.get(), SHCONTF_NONFOLDERS).front());
    item = file0.get();
    ComPtr<IExtractIconA> fileIcon;
    ASSERT_EQ(S_OK, cardFolder->GetUIObjectOf(nullptr, 1, &item, IID_IExtractIconA, nullptr, fileIcon.putVoid()));
    ASSERT_EQ(S_OK, fileIcon->GetIconLocation(GIL_FORSHELL, file, sizeof file, &index, &flags));
    EXPECT_EQ(3, index);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_INVALIDARG, camera->GetUIObjectOf(nullptr, 0, &item, IID_IExtractIconA, nullptr, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(E_INVALIDARG, camera->GetUIObjectOf(nullptr, 1, &item, IID_IExtractIconA, nullptr, nullptr));
}

TEST_F(ShellFolderTest, ModuleUnloadsOnlyAfterTheLastFolderIsReleased) {
    auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(MounterModule(), "DllCanUnloadNow")));
    ASSERT_TRUE(canUnload);
    EXPECT_EQ(S_FALSE, canUnload());
    camera.reset();
    CoFreeUnusedLibraries();
    EXPECT_EQ(S_OK, canUnload());
}

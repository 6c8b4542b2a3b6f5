// The folders' context menus: entries, command ids, help texts, and the sheets the entries open.
#include "DialogDriver.h"
#include "MounterFixture.h"
#include "UserObject.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

// Pages of VirtualAlloc, given back with VirtualFree.
struct PagesTraits : pv::NullHandle<void*> {
    static void close(void* pages) { VirtualFree(pages, 0, MEM_RELEASE); }
};

class ContextMenuTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        BindCameraFolder(camera.put(), &cameraPidl);
        ASSERT_TRUE(camera);
        menu.reset(CreatePopupMenu());
    }
    std::string EntryText(int position) {
        char text[128] = "";
        GetMenuStringA(menu.get(), position, text, sizeof text, MF_BYPOSITION);
        return text;
    }
    // Invokes the entry at offset of a context menu while a watcher closes the sheet it opens.
    std::string InvokeAndCloseSheet(IContextMenu* contextMenu, UINT offset, const char* caption) {
        std::string seen;
        {
            dialogtest::Watcher watcher([&] {
                HWND sheet = dialogtest::WaitForWindow(caption);
                if (!sheet) return;
                seen = caption;
                // A press that arrives while the sheet is still being built may be lost: repeat it.
                for (int attempt = 0; attempt < 20 && IsWindow(sheet); ++attempt) {
                    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                    dialogtest::WaitUntilGone(sheet, 1000);
                }
            });
            CMINVOKECOMMANDINFO info = {};
            info.cbSize = sizeof info;
            info.lpVerb = MAKEINTRESOURCEA(offset);
            EXPECT_EQ(S_OK, contextMenu->InvokeCommand(&info));
        }
        return seen;
    }

    ComPtr<IShellFolder> camera;
    Pidl cameraPidl;
    pv::UniqueMenu menu;
};

}  // namespace

TEST_F(ContextMenuTest, CameraMenuInsertsItsEntriesWhileIdsLast) {
    ComPtr<IContextMenu> contextMenu;
    ASSERT_EQ(S_OK, camera->QueryInterface(IID_IContextMenu, contextMenu.putVoid()));
    EXPECT_EQ(MAKE_HRESULT(0, 4, 3), contextMenu->QueryContextMenu(menu.get(), 0, 100, 200, CMF_NORMAL));
    ASSERT_EQ(3, GetMenuItemCount(menu.get()));
    EXPECT_EQ(0u, GetMenuItemID(menu.get(), 0)) << "separator first";
    EXPECT_EQ("Camera P&roperties", EntryText(1));
    EXPECT_EQ(100u, GetMenuItemID(menu.get(), 1));
    EXPECT_EQ("Configure Camera Communications", EntryText(2));
    EXPECT_EQ(101u, GetMenuItemID(menu.get(), 2));

    pv::UniqueMenu narrow(CreatePopupMenu());
    EXPECT_EQ(MAKE_HRESULT(0, 4, 3), contextMenu->QueryContextMenu(narrow.get(), 0, 100, 101, CMF_NORMAL));
    EXPECT_EQ(2, GetMenuItemCount(narrow.get())) << "room for one command: the separator and Camera Properties";
}

TEST_F(ContextMenuTest, CameraHelpTexts) {
    ComPtr<IContextMenu> contextMenu;
    ASSERT_EQ(S_OK, camera->QueryInterface(IID_IContextMenu, contextMenu.putVoid()));
    char text[128];
    ASSERT_EQ(S_OK, contextMenu->GetCommandString(0, GCS_HELPTEXTA, nullptr, text, sizeof text));
    EXPECT_STREQ("Display properties for the selected ORVIK Digital Camera.", text);
    ASSERT_EQ(S_OK, contextMenu->GetCommandString(1, GCS_HELPTEXTA, nullptr, text, sizeof text));
    EXPECT_STREQ("Configures the serial port connected to the Orvik Digital Camera", text);
    WCHAR wide[16];
    std::fill(std::begin(wide), std::end(wide), L'x');
    ASSERT_EQ(S_OK, contextMenu->GetCommandString(1, GCS_HELPTEXTW, nullptr, reinterpret_cast<LPSTR>(wide), 16));
    EXPECT_EQ(0, wide[0]);
    EXPECT_EQ(0, wide[15]);
    EXPECT_EQ(E_NOTIMPL, contextMenu->GetCommandString(1, GCS_VERBA, nullptr, text, sizeof text));
    EXPECT_EQ(E_NOTIMPL, contextMenu->GetCommandString(2, GCS_HELPTEXTA, nullptr, text, sizeof text));
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.lpVerb = "properties";
    EXPECT_EQ(E_NOTIMPL, contextMenu->InvokeCommand(&info)) << "verbs given as strings";
}

TEST_F(ContextMenuTest, MemoryAndAlbumMenusOpenTheirSheets) {
    Pidl card = FindChild(camera.get(), "Memory Card", SHCONTF_FOLDERS);
    ASSERT_TRUE(card);
    LPCITEMIDLIST item = card.get();
    ComPtr<IContextMenu> memoryMenu;
    ASSERT_EQ(S_OK, camera->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, memoryMenu.putVoid()));
    EXPECT_EQ(MAKE_HRESULT(0, 4, 1), memoryMenu->QueryContextMenu(menu.get(), 0, 10, 20, CMF_NORMAL));
    EXPECT_EQ("P&roperties", EntryText(0));
    EXPECT_EQ("Memory Card Properties", InvokeAndCloseSheet(memoryMenu.get(), 0, "Memory Card Properties"));

    ComPtr<IShellFolder> cardFolder;
    ASSERT_EQ(S_OK, camera->BindToObject(card.get(), nullptr, IID_IShellFolder, cardFolder.putVoid()));
    Pidl album = std::move(Enumerate(cardFolder.get(), SHCONTF_FOLDERS).front());
    item = album.get();
    ComPtr<IContextMenu> albumMenu;
    ASSERT_EQ(S_OK, cardFolder->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, albumMenu.putVoid()));
    EXPECT_EQ("Album Properties", InvokeAndCloseSheet(albumMenu.get(), 0, "Album Properties"));
    EXPECT_EQ(E_NOTIMPL, albumMenu->GetCommandString(0, GCS_HELPTEXTA, nullptr, nullptr, 0));
}

// A verb given as a string is refused wherever the string lies, also above 4 GiB where the low
// word of its address's high half is zero (64-bit hosts).
TEST_F(ContextMenuTest, VerbStringsAreRefusedAtAnyAddress) {
    static char low[] = "properties";
    char* verb = low;
    pv::UniqueResource<PagesTraits> pages;
    if (sizeof(void*) == 8) {
        for (ULONGLONG base = 0x100000000ull; !pages && base < 0x1000000000ull; base += 0x100000000ull)
            pages.reset(VirtualAlloc(reinterpret_cast<void*>(static_cast<UINT_PTR>(base)), 4096,
                                     MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        ASSERT_TRUE(pages) << "no memory above 4 GiB";
        verb = static_cast<char*>(pages.get());
        lstrcpyA(verb, low);
        ASSERT_EQ(0, HIWORD(reinterpret_cast<UINT_PTR>(verb)));
    }

    Pidl card = FindChild(camera.get(), "Memory Card", SHCONTF_FOLDERS);
    ASSERT_TRUE(card);
    LPCITEMIDLIST item = card.get();
    ComPtr<IContextMenu> memoryMenu;
    ASSERT_EQ(S_OK, camera->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, memoryMenu.putVoid()));
    bool sheetShown = false;
    {
        dialogtest::Watcher watcher([&] {
            HWND sheet = dialogtest::WaitForWindow("Memory Card Properties", 3000);
            if (!sheet) return;
            sheetShown = true;
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof info;
        info.lpVerb = verb;
        EXPECT_EQ(E_NOTIMPL, memoryMenu->InvokeCommand(&info));
    }
    EXPECT_FALSE(sheetShown);
}

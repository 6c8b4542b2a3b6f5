// The shell view in a browser that merges menus, toolbars and status texts as Windows' browsers
// do: the view's container and list, its View, Edit and Help entries by position, its toolbar
// buttons and their check, the menu help, and the status bar.
#include "ViewFixture.h"

#include "MessageBoxAnswerer.h"

#include <commctrl.h>

using namespace viewtest;

namespace {

struct Entry {
    std::string text;   // "-" for a separator, "text >" for a popup
    UINT id;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(HMENU popup) {
    std::vector<Entry> entries;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[128] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(popup, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) entries.push_back({"-", info.wID});
        else entries.push_back({std::string(text) + (info.hSubMenu ? " >" : ""), info.hSubMenu ? 0 : info.wID});
    }
    return entries;
}

HMENU PopupOf(HMENU menu, UINT id) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (GetMenuItemInfoA(menu, i, TRUE, &info) && info.wID == id) return info.hSubMenu;
    }
    return nullptr;
}

UINT State(HMENU menu, UINT command) { return GetMenuState(menu, command, MF_BYCOMMAND); }

std::vector<UINT> ToolbarCommands(HWND toolbar) {
    std::vector<UINT> commands;
    int count = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        commands.push_back(static_cast<UINT>(button.idCommand));
    }
    return commands;
}

bool Checked(HWND toolbar, UINT command) { return SendMessageA(toolbar, TB_ISBUTTONCHECKED, command, 0) != 0; }

const std::vector<Entry> kMergedViewEntries = {
    {"&Toolbar", 0xA003}, {"-", 0},      {"Lar&ge Icons", 1028}, {"S&mall Icons", 1029},
    {"&List", 1030},      {"&Details", 1031}, {"Thumb&nail", 1032},   {"-", 0},
    {"Arrange &Icons >", 0}, {"Lin&e Up Icons", 1034}, {"-", FCIDM_MENU_VIEW_SEP_OPTIONS}, {"&Options...", 0xA004}};

class ShellViewMenuTest : public ShellViewTest {};

}  // namespace

TEST_F(ShellViewMenuTest, TheCameraViewShowsItsCardInAContainerOfTheViewClass) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CameraFolder(), browser));
    HWND container = ContainerOf(browser.Frame());
    ASSERT_TRUE(container);
    EXPECT_EQ(browser.Frame(), GetParent(container));
    EXPECT_TRUE(IsWindowVisible(container));
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP),
              DWORD(GetWindowLongA(container, GWL_STYLE)) & ~DWORD(WS_DISABLED));
    HWND list = ListOf(browser.Frame());
    ASSERT_TRUE(list);
    EXPECT_EQ((std::vector<std::string>{"Memory Card"}), ListColumn(list, 0));
    EXPECT_EQ("", ListText(list, 0, 1)) << "memories have no size";
    EXPECT_EQ("Compact Flash", ListText(list, 0, 2));
    char title[32] = "";
    HDITEMA column = {};
    column.mask = HDI_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    std::vector<std::string> titles;
    for (int i = 0; i < 4; ++i) {
        SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&column));
        titles.push_back(title);
    }
    EXPECT_EQ((std::vector<std::string>{"Name", "Size", "Type", "Picture Taken On"}), titles);
    HDITEMA width = {};
    width.mask = HDI_WIDTH;
    SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&width));
    EXPECT_EQ(70, width.cxy) << "the Size column's default width";
    EXPECT_EQ(DWORD(LVS_ICON), DWORD(GetWindowLongA(list, GWL_STYLE)) & LVS_TYPEMASK);
}

TEST_F(ShellViewMenuTest, ActivationMergesTheViewsEntriesByPosition) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CardFolder(), browser));
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_FOCUS));
    HMENU menu = browser.InstalledMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(ListOf(browser.Frame()), browser.ActiveObject());
    EXPECT_EQ(kMergedViewEntries, Entries(PopupOf(menu, FCIDM_MENU_VIEW)));
    HMENU arrange = GetSubMenu(PopupOf(menu, FCIDM_MENU_VIEW), 8);
    EXPECT_EQ((std::vector<Entry>{{"By &Name", 1035}, {"By &Type", 1036}, {"By &Size", 1037}, {"By &Date", 1038},
                                  {"-", 0}, {"&Auto Arrange", 1039}}),
              Entries(arrange));
    EXPECT_EQ((std::vector<Entry>{{"Cu&t", 0xA002}, {"Select &All\tCtrl+A", 1025}, {"&Invert Selection", 1026}}),
              Entries(PopupOf(menu, FCIDM_MENU_EDIT)));
    EXPECT_EQ((std::vector<Entry>{{"&About", 0xA005}, {"-", 0}, {"Help on Digital Camera Mounter", 1063}}),
              Entries(PopupOf(menu, FCIDM_MENU_HELP)));
    EXPECT_EQ((std::vector<UINT>{0, 1028, 1029, 1030, 1031, 1032}), ToolbarCommands(browser.Toolbar()));
    EXPECT_TRUE(Checked(browser.Toolbar(), 1028));
    EXPECT_FALSE(Checked(browser.Toolbar(), 1031));
    EXPECT_EQ(GetFocus(), ListOf(browser.Frame()));
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_FOCUS));
    EXPECT_EQ(1, browser.SetMenuCalls()) << "merged once";
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_DEACTIVATE));
    EXPECT_EQ(1, browser.RemoveMenusCalls());
    EXPECT_EQ(nullptr, browser.InstalledMenu());
    EXPECT_EQ(E_NOTIMPL, view->UIActivate(7));
}

TEST_F(ShellViewMenuTest, TheCameraFolderHasNoThumbnailEntryOrButton) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CameraFolder(), browser));
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_NOFOCUS));
    HMENU viewPopup = PopupOf(browser.InstalledMenu(), FCIDM_MENU_VIEW);
    std::vector<Entry> expected = kMergedViewEntries;
    expected.erase(expected.begin() + 6);
    EXPECT_EQ(expected, Entries(viewPopup));
    EXPECT_EQ((std::vector<UINT>{0, 1028, 1029, 1030, 1031}), ToolbarCommands(browser.Toolbar()));
    SendMessageA(browser.Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewPopup), 2);
    EXPECT_EQ(UINT(-1), State(viewPopup, 1032));
}

TEST_F(ShellViewMenuTest, TheViewPopupChecksTheModeAndGreysWhatItCannotDo) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CardFolder(), browser));
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_FOCUS));
    struct Expected {
        UINT command;
        bool iconMode;
    };
    for (Expected mode : {Expected{1029, true}, Expected{1030, false}, Expected{1031, false}, Expected{1028, true}}) {
        Command(browser, mode.command);
        HMENU viewPopup = PopupOf(browser.InstalledMenu(), FCIDM_MENU_VIEW);
        SendMessageA(browser.Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewPopup), 2);
        for (UINT command = 1028; command <= 1032; ++command)
            EXPECT_EQ(command == mode.command, (State(viewPopup, command) & MF_CHECKED) != 0) << mode.command << " " << command;
        MENUITEMINFOA radio = {};
        radio.cbSize = sizeof radio;
        radio.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(viewPopup, mode.command, FALSE, &radio);
        EXPECT_TRUE(radio.fType & MFT_RADIOCHECK);
        EXPECT_EQ(!mode.iconMode, (State(viewPopup, 1034) & MF_GRAYED) != 0) << mode.command;
        EXPECT_EQ(!mode.iconMode, (State(viewPopup, 1039) & MF_GRAYED) != 0) << mode.command;
        EXPECT_EQ(0u, GetMenuState(viewPopup, 8, MF_BYPOSITION) & MF_GRAYED) << "Arrange Icons stays usable in the list modes";
        for (UINT command = 1028; command <= 1032; ++command)
            EXPECT_EQ(command == mode.command, Checked(browser.Toolbar(), command)) << mode.command << " " << command;
    }
    Command(browser, 1039);
    HMENU viewPopup = PopupOf(browser.InstalledMenu(), FCIDM_MENU_VIEW);
    HMENU arrange = GetSubMenu(viewPopup, 8);
    SendMessageA(browser.Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(arrange), 8);
    EXPECT_TRUE(State(arrange, 1039) & MF_CHECKED) << "auto arrange on";
    EXPECT_TRUE(GetWindowLongA(ListOf(browser.Frame()), GWL_STYLE) & LVS_AUTOARRANGE);
}

TEST_F(ShellViewMenuTest, MenuHelpAndTheStatusBar) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CameraFolder(), browser));
    EXPECT_EQ((std::vector<int>{150, -1}), browser.StatusParts());
    EXPECT_EQ("1 object(s)", browser.StatusPart(0));
    EXPECT_EQ("", browser.StatusPart(1)) << "memories count no bytes";
    SendMessageA(ListOf(browser.Frame()), WM_MENUSELECT, MAKEWPARAM(1028, MF_HILITE), 0);
    EXPECT_EQ(L"Display items using large icons", browser.StatusTextSB());
    SendMessageA(ListOf(browser.Frame()), WM_MENUSELECT, MAKEWPARAM(1900, MF_HILITE), 0);
    EXPECT_EQ(L"Display the camera properties and confguration.", browser.StatusTextSB());
    SendMessageA(ListOf(browser.Frame()), WM_MENUSELECT, MAKEWPARAM(2000, MF_HILITE), 0);
    EXPECT_EQ(L"Display the camera properties and confguration.", browser.StatusTextSB()) << "2000 has no help";
    SelectRow(ListOf(browser.Frame()), 0, true);
    EXPECT_EQ("1 object(s) selected", browser.StatusPart(0));
}

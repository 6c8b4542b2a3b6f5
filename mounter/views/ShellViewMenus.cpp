// Activation of the shell view: its menus merged into the browser's, its toolbar buttons, the
// status bar texts and menu help, and the preparation of every popup before it opens.
#include "MounterShellView.h"

#include "FileDialogMenus.h"
#include "FileTypes.h"
#include "MounterResources.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterViewSupport.h"
#include "OleException.h"
#include "ViewResources.h"
#include "ViewTexts.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr char kExploringWindowClass[] = "ExploreWClass";

MENUITEMINFOA EntryInfo(HMENU menu, int position, char* text, UINT size) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = size;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

// The popup of a menu whose entry has the given identifier.
HMENU PopupWithId(HMENU menu, UINT id) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        MENUITEMINFOA info = EntryInfo(menu, i, text, sizeof text);
        if (info.wID == id && info.hSubMenu) return info.hSubMenu;
    }
    return nullptr;
}

int PositionOfId(HMENU menu, UINT id) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        if (EntryInfo(menu, i, text, sizeof text).wID == id) return i;
    }
    return -1;
}

// Copies the entries of source into target from position on (-1: at the end), popups as new popups
// and separators as separators; the entry of command skipped is left out.
void CopyEntries(HMENU source, HMENU target, int position, UINT skipped) {
    for (int i = 0; i < GetMenuItemCount(source); ++i) {
        char text[128] = "";
        MENUITEMINFOA info = EntryInfo(source, i, text, sizeof text);
        if (!info.hSubMenu && !(info.fType & MFT_SEPARATOR) && info.wID == skipped) continue;
        if (info.hSubMenu) {
            HMENU copy = CreatePopupMenu();
            CopyEntries(info.hSubMenu, copy, -1, skipped);
            info.hSubMenu = copy;
        }
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | (info.fType & MFT_SEPARATOR ? 0 : MIIM_STRING);
        info.dwTypeData = text;
        InsertMenuItemA(target, position < 0 ? GetMenuItemCount(target) : position++, TRUE, &info);
    }
}

// The first popup of a menu resource of the module.
class ResourcePopup {
public:
    explicit ResourcePopup(UINT id) : m_menu(LoadMenuA(mounter::ModuleInstance(), MAKEINTRESOURCEA(id))) {}
    HMENU get() const { return m_menu ? GetSubMenu(m_menu.get(), 0) : nullptr; }

private:
    pv::UniqueMenu m_menu;
};

void SetRadioCheck(HMENU popup, UINT command, bool checked) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!GetMenuItemInfoA(popup, command, FALSE, &info)) return;
    info.fType |= MFT_RADIOCHECK;
    info.fState = (info.fState & ~MFS_CHECKED) | (checked ? MFS_CHECKED : 0);
    SetMenuItemInfoA(popup, command, FALSE, &info);
}

int PositionOfText(HMENU popup, const std::string& wanted) {
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[128] = "";
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        if (wanted == text) return i;
    }
    return -1;
}

std::wstring Widen(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return wide;
}

std::string WindowClassOf(HWND window) {
    char name[64] = "";
    return window && GetClassNameA(window, name, sizeof name) ? name : "";
}

// Swaps the first two entries of a popup (text and command).
void SwapFirstEntries(HMENU popup) {
    char first[128] = "", second[128] = "";
    UINT firstId = GetMenuItemID(popup, 0), secondId = GetMenuItemID(popup, 1);
    GetMenuStringA(popup, 0, first, sizeof first, MF_BYPOSITION);
    GetMenuStringA(popup, 1, second, sizeof second, MF_BYPOSITION);
    ModifyMenuA(popup, 0, MF_BYPOSITION | MF_STRING, secondId, second);
    ModifyMenuA(popup, 1, MF_BYPOSITION | MF_STRING, firstId, first);
}

constexpr UINT kBackgroundViewPopup = 0;
constexpr UINT kBackgroundArrangePopup = 2;
constexpr int kPictureSendToPopup = 2;

}  // namespace

STDMETHODIMP CMounterShellView::UIActivate(UINT state) {
    return ViewGuard([&] {
        HRESULT hr = S_OK;
        switch (state) {
        case SVUIA_DEACTIVATE: UnmergeMenus(); break;
        case SVUIA_ACTIVATE_NOFOCUS:
        case SVUIA_ACTIVATE_FOCUS:
            if (!m_menusMerged) hr = MergeMenus();
            break;
        default: return E_NOTIMPL;
        }
        if (m_dialogBrowser)
            m_dialogBrowser->OnStateChange(this, state == SVUIA_ACTIVATE_FOCUS ? CDBOSC_SETFOCUS : CDBOSC_KILLFOCUS);
        if (m_activeView && m_folder->IsSessionOpen()) RestartIdleTimer(false);
        return hr;
    });
}

HRESULT CMounterShellView::MergeMenus() {
    if (!m_browser || !m_activeView) return E_UNEXPECTED;
    pv::UniqueMenu menu(CreateMenu());
    OLEMENUGROUPWIDTHS widths = {};
    if (!menu || FAILED(m_browser->InsertMenusSB(menu.get(), &widths))) return E_UNEXPECTED;
    UINT skipped = m_activeView->OffersThumbnails() ? 0 : ID_VIEW_THUMBNAIL;
    if (HMENU view = PopupWithId(menu.get(), FCIDM_MENU_VIEW)) {
        ResourcePopup entries(ViewMenu());
        CopyEntries(entries.get(), view, PositionOfId(view, FCIDM_MENU_VIEW_SEP_OPTIONS), skipped);
    }
    if (HMENU edit = PopupWithId(menu.get(), FCIDM_MENU_EDIT)) CopyEntries(ResourcePopup(EditMenu()).get(), edit, -1, 0);
    if (HMENU help = PopupWithId(menu.get(), FCIDM_MENU_HELP)) CopyEntries(ResourcePopup(HelpMenu()).get(), help, -1, 0);
    HRESULT hr = m_browser->SetMenuSB(menu.get(), nullptr, m_activeView->Window());
    if (FAILED(hr)) {
        m_browser->RemoveMenusSB(menu.get());
        return hr;
    }
    m_sharedMenu = std::move(menu);
    m_menusMerged = true;
    AddToolbarButtons();
    SetFocus(m_activeView->Window());
    return S_OK;
}

void CMounterShellView::UnmergeMenus() {
    if (!m_menusMerged) return;
    if (m_browser) m_browser->RemoveMenusSB(m_sharedMenu.get());
    m_sharedMenu.reset();
    m_menusMerged = false;
}

void CMounterShellView::AddToolbarButtons() {
    struct Strip {
        HINSTANCE module;
        UINT_PTR bitmap;
        WPARAM images;
    };
    const Strip strips[] = {{HINST_COMMCTRL, IDB_STD_SMALL_COLOR, 15},
                            {HINST_COMMCTRL, IDB_VIEW_SMALL_COLOR, 8},
                            {mounter::ModuleInstance(), IDB_THUMBNAIL_BUTTON, 1}};
    LRESULT first[3] = {};
    for (int i = 0; i < 3; ++i) {
        TBADDBITMAP bitmap = {strips[i].module, strips[i].bitmap};
        m_browser->SendControlMsg(FCW_TOOLBAR, TB_ADDBITMAP, strips[i].images, reinterpret_cast<LPARAM>(&bitmap),
                                  &first[i]);
    }
    auto button = [](int image, UINT command) {
        TBBUTTON entry = {};
        entry.iBitmap = image;
        entry.idCommand = static_cast<int>(command);
        entry.fsState = TBSTATE_ENABLED;
        entry.fsStyle = command ? BTNS_BUTTON : BTNS_SEP;
        entry.iString = -1;
        return entry;
    };
    int views = static_cast<int>(first[1]);
    TBBUTTON buttons[] = {button(0, 0),
                          button(views + VIEW_LARGEICONS, ID_VIEW_LARGE_ICONS),
                          button(views + VIEW_SMALLICONS, ID_VIEW_SMALL_ICONS),
                          button(views + VIEW_LIST, ID_VIEW_LIST),
                          button(views + VIEW_DETAILS, ID_VIEW_DETAILS),
                          button(static_cast<int>(first[2]), ID_VIEW_THUMBNAIL)};
    UINT count = m_activeView->OffersThumbnails() ? 6 : 5;
    m_browser->SetToolbarItems(buttons, count, FCT_MERGE);
    UpdateToolbarCheck();
}

UINT CMounterShellView::CurrentModeCommand() const {
    switch (m_state.viewMode) {
    case FVM_SMALLICON: return ID_VIEW_SMALL_ICONS;
    case FVM_LIST: return ID_VIEW_LIST;
    case FVM_DETAILS: return m_state.thumbnails ? ID_VIEW_THUMBNAIL : ID_VIEW_DETAILS;
    default: return ID_VIEW_LARGE_ICONS;
    }
}

void CMounterShellView::UpdateToolbarCheck() {
    if (!m_browser || !m_menusMerged) return;
    UINT current = CurrentModeCommand();
    for (UINT command = ID_VIEW_LARGE_ICONS; command <= ID_VIEW_THUMBNAIL; ++command)
        m_browser->SendControlMsg(FCW_TOOLBAR, TB_CHECKBUTTON, command, MAKELONG(command == current, 0), nullptr);
}

void CMounterShellView::UpdateStatusBar() {
    if (!m_browser || !m_activeView) return;
    int parts[2] = {150, -1};
    m_browser->SendControlMsg(FCW_STATUS, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts), nullptr);
    m_browser->SendControlMsg(FCW_STATUS, SB_SIMPLE, FALSE, 0, nullptr);
    std::vector<LPCITEMIDLIST> selected = m_activeView->SelectedItems();
    UINT count = selected.empty() ? m_activeView->ShownItemCount() : static_cast<UINT>(selected.size());
    ULONGLONG bytes = 0;
    if (selected.empty()) bytes = m_activeView->ShownItemBytes();
    for (LPCITEMIDLIST item : selected)
        if (const MounterItemId* id = itemid::FromIdList(item)) bytes += id->size;
    std::string texts[2] = {viewtext::ObjectCountText(count, !selected.empty()), viewtext::TotalSizeText(bytes)};
    for (WPARAM part = 0; part < 2; ++part)
        m_browser->SendControlMsg(FCW_STATUS, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(texts[part].c_str()),
                                  nullptr);
}

void CMounterShellView::ShowMenuHelp(UINT command) {
    if (!m_browser || command < ID_MENU_HELP_FIRST || command > ID_MENU_HELP_LAST) return;
    m_browser->SetStatusTextSB(Widen(mounter::LoadText(command)).c_str());
    RestartIdleTimer(false);
}

void CMounterShellView::UpdateViewPopup(HMENU popup) {
    if (!m_activeView) return;
    if (!m_activeView->OffersThumbnails()) DeleteMenu(popup, ID_VIEW_THUMBNAIL, MF_BYCOMMAND);
    UINT current = CurrentModeCommand();
    for (UINT command = ID_VIEW_LARGE_ICONS; command <= ID_VIEW_THUMBNAIL; ++command)
        SetRadioCheck(popup, command, command == current);
    bool iconModes = m_state.viewMode == FVM_ICON || m_state.viewMode == FVM_SMALLICON;
    EnableMenuItem(popup, ID_LINE_UP_ICONS, MF_BYCOMMAND | (iconModes ? MF_ENABLED : MF_GRAYED));
    int arrange = PositionOfText(popup, mounter::LoadText(IDS_ARRANGE_ICONS));
    if (arrange >= 0) EnableMenuItem(popup, arrange, MF_BYPOSITION | (m_state.thumbnails ? MF_GRAYED : MF_ENABLED));
    UpdateArrangePopup(popup);
}

void CMounterShellView::UpdateArrangePopup(HMENU popup) {
    bool iconModes = m_state.viewMode == FVM_ICON || m_state.viewMode == FVM_SMALLICON;
    EnableMenuItem(popup, ID_AUTO_ARRANGE, MF_BYCOMMAND | (iconModes ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(popup, ID_AUTO_ARRANGE,
                  MF_BYCOMMAND | (m_state.folderFlags & FWF_AUTOARRANGE ? MF_CHECKED : MF_UNCHECKED));
}

void CMounterShellView::PrepareBrowserPopup(HMENU popup) {
    UINT id = 0;
    for (int i = 0; m_sharedMenu && i < GetMenuItemCount(m_sharedMenu.get()); ++i)
        if (GetSubMenu(m_sharedMenu.get(), i) == popup) {
            char text[128] = "";
            id = EntryInfo(m_sharedMenu.get(), i, text, sizeof text).wID;
        }
    if (id == FCIDM_MENU_VIEW) UpdateViewPopup(popup);
    else if (id != FCIDM_MENU_EDIT) UpdateArrangePopup(popup);
}

void CMounterShellView::PrepareContextPopup(UINT menuId, HMENU root) {
    if (menuId != IDM_CTX_CAMERA_WND && menuId != IDM_CTX_MEMORY_WND && menuId != IDM_CTX_ALBUM_WND) return;
    if (HMENU view = GetSubMenu(root, kBackgroundViewPopup)) UpdateViewPopup(view);
    if (HMENU arrange = GetSubMenu(root, kBackgroundArrangePopup)) UpdateArrangePopup(arrange);
}

void CMounterShellView::CustomiseContextMenu(UINT menuId, HMENU popup, LPCITEMIDLIST item) {
    if (m_dialogBrowser) {
        StripForFileDialog(menuId, popup);
        return;
    }
    if (menuId == IDM_CTX_MEMORY && WindowClassOf(m_owner) == kExploringWindowClass) SwapFirstEntries(popup);
    if (menuId != IDM_CTX_IMGFILE) return;
    if (item && !IsFileTypeRegistered(itemid::NameOf(item)))
        ModifyMenuA(popup, 0, MF_BYPOSITION | MF_STRING, ID_PICTURE_OPEN, mounter::LoadText(IDS_OPEN_WITH).c_str());
    if (HMENU sendTo = GetSubMenu(popup, kPictureSendToPopup)) BuildSendToMenu(sendTo);
}

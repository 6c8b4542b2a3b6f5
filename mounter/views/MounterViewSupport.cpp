#include "MounterViewSupport.h"

#include "CameraTypes.h"
#include "DialogSupport.h"
#include "MounterException.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "MounterShellView.h"
#include "OleException.h"
#include "UserObject.h"
#include "ViewResources.h"

#include <functional>
#include <new>

namespace {

constexpr WPARAM kCtrlA = 1;
constexpr LPARAM kPreviousKeyState = 1 << 30;

bool IsViewModeCommand(UINT command) { return command >= ID_VIEW_LARGE_ICONS && command <= ID_VIEW_THUMBNAIL; }
bool IsArrangeCommand(UINT command) { return command >= ID_ARRANGE_BY_NAME && command <= ID_ARRANGE_BY_DATE; }
bool IsItemCommand(UINT command) {
    return (command >= ID_CAMERA_FOLDER_PROPERTIES && command <= ID_ALBUM_FOLDER_PROPERTIES) ||
           (command >= ID_MEMORY_OPEN && command <= ID_PICTURE_PROPERTIES);
}

// Makes the first entry of a popup its default, unless it opens a submenu.
void MakeFirstEntryDefault(HMENU popup) {
    if (GetMenuItemCount(popup) > 0 && !GetSubMenu(popup, 0)) SetMenuDefaultItem(popup, 0, TRUE);
}

}  // namespace

CMounterViewSupport::CMounterViewSupport(CMounterShellView* shellView, CWrapper* container, bool offersThumbnails)
    : m_shellView(shellView), m_container(container), m_offersThumbnails(offersThumbnails) {}

void CMounterViewSupport::StartIdleTimer(bool withStatus) {
    if (Window()) m_idleTimer.start(Window(), kIdleTimeoutMs);
    if (withStatus) m_shellView->UpdateStatusBar();
}

bool CMounterViewSupport::OnContainerMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CMounterViewSupport::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_COMMAND: RunCommand(LOWORD(wParam)); return true;
    case WM_MENUSELECT: OnMenuSelect(LOWORD(wParam), HIWORD(wParam)); return true;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return true;
    case WM_MEASUREITEM:
        *result = m_shellView->MeasureSendToEntry(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return *result != 0;
    case WM_DRAWITEM:
        *result = m_shellView->DrawSendToEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return *result != 0;
    case WM_TIMER:
        if (wParam != kIdleTimerId) return false;
        StopIdleTimer();
        m_shellView->CloseCameraSession();
        return true;
    case WM_CAMERA_CHANGED: OnCameraChanged(); return true;
    case WM_CAMERA_KEEPALIVE: m_shellView->KeepCameraAlive(); return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: return OnKey(message, wParam, lParam);
    default: *result = 0; return false;
    }
}

bool CMounterViewSupport::OnKey(UINT message, WPARAM key, LPARAM flags) {
    if (message == WM_CHAR && key == kCtrlA) {
        RunCommand(ID_SELECT_ALL);
        return true;
    }
    if (message == WM_KEYUP && key == VK_DELETE && (flags & kPreviousKeyState)) {
        DeleteSelection();
        return true;
    }
    if (message == WM_KEYDOWN && key == VK_F5) {
        Guarded([&] { m_shellView->RefreshView(); });
        return true;
    }
    if (message == WM_KEYDOWN && key == VK_BACK) {
        m_shellView->BrowseToParent();
        return true;
    }
    return false;
}

// The work scope goes last: it may end this view's object.
void CMounterViewSupport::Guarded(const std::function<void()>& action) {
    CMounterShellView::ViewWork work(m_shellView);
    mounter::WaitCursor wait;
    m_shellView->StopIdleTimer();
    try {
        action();
    } catch (const COleException& failure) {
        ReportOleException(m_shellView->OwnerWindow(), failure);
    } catch (const MounterException&) {
        mounter::ShowMessage(m_shellView->OwnerWindow(), IDS_CAMERA_NOT_FOUND);
    } catch (const std::bad_alloc&) {
        mounter::ShowMessage(m_shellView->OwnerWindow(), IDS_OUT_OF_MEMORY);
    }
    m_shellView->RestartIdleTimer(true);
}

void CMounterViewSupport::RunCommand(UINT command) {
    Guarded([&] {
        if (command == ID_SELECT_ALL) SelectAll();
        else if (command == ID_INVERT_SELECTION) InvertSelection();
        else if (IsViewModeCommand(command)) m_shellView->SetViewMode(command);
        else if (IsArrangeCommand(command)) m_shellView->ArrangeBy(command);
        else if (command == ID_AUTO_ARRANGE) m_shellView->ToggleAutoArrange();
        else if (command == ID_HELP_MOUNTER) mounter::ShowHelpContents(Window());
        else if (IsItemCommand(command)) {
            ItemCopy item = std::move(m_contextItem);
            m_shellView->RunItemCommand(command, item.get());
        } else if (!m_shellView->RunSendToCommand(command, SelectedItems())) OnViewCommand(command);
    });
}

void CMounterViewSupport::OnMenuSelect(UINT command, UINT flags) {
    if (flags & MF_POPUP) return;
    m_shellView->ShowMenuHelp(command);
}

void CMounterViewSupport::OnInitMenuPopup(HMENU popup) {
    if (m_trackedMenu) m_shellView->PrepareContextPopup(static_cast<UINT>(m_contextMenuId), m_trackedMenu);
    else m_shellView->PrepareBrowserPopup(popup);
}

void CMounterViewSupport::OnCameraChanged() {
    Guarded([&] {
        m_shellView->RefreshView();
        ForgetRememberedItem();
    });
}

void CMounterViewSupport::SelectionChanged() {
    if (ICommDlgBrowser* dialog = m_shellView->DialogBrowser()) dialog->OnStateChange(m_shellView, CDBOSC_SELCHANGE);
    m_shellView->UpdateStatusBar();
}

void CMounterViewSupport::TrackContextMenu(UINT menuId, LPCITEMIDLIST item, POINT screen) {
    pv::UniqueMenu menu(LoadMenuA(mounter::ModuleInstance(), MAKEINTRESOURCEA(menuId)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return;
    m_contextItem = CopyItem(item);
    m_shellView->CustomiseContextMenu(menuId, popup, item);
    MakeFirstEntryDefault(popup);
    m_contextMenuId = static_cast<int>(menuId);
    m_trackedMenu = popup;
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, Window(), nullptr);
    m_trackedMenu = nullptr;
    m_contextMenuId = -1;
}

void CMounterViewSupport::ShowContextMenuFor(LPCITEMIDLIST item, POINT screen) {
    Guarded([&] {
        m_contextMenuId = -1;
        if (!m_shellView->ReadyForContextMenu(item)) return;
        UINT menu = item ? ItemMenu(itemid::TypeOf(item)) : m_shellView->BackgroundMenu();
        if (menu) TrackContextMenu(menu, item, screen);
    });
}

void CMounterViewSupport::DeleteSelection() {
    Guarded([&] { m_shellView->DeleteItems(SelectedItems()); });
}

void CMounterViewSupport::OpenRememberedItem() {
    Guarded([&] { m_shellView->OpenItem(RememberedItem()); });
}

// What the views do with the folder's items through the shell view: browsing into them, their
// property sheets, dragging and deleting them, and the camera session the idle timer closes.
#include "MounterShellView.h"

#include "BrowseFlags.h"
#include "CameraFileFlows.h"
#include "CommandSession.h"
#include "MounterException.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "MounterViewSupport.h"
#include "StartItemDrag.h"
#include "ViewResources.h"

namespace {

constexpr char kCardPathPrefix[] = "\\PCCARD";

// Runs the first command (offset 0, Properties) of a folder's context menu object.
void InvokeFirstCommand(IContextMenu* menu, HWND owner) {
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(0);
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
}

std::vector<ItemCopy> CopiesOf(const std::vector<LPCITEMIDLIST>& items) {
    std::vector<ItemCopy> copies;
    for (LPCITEMIDLIST item : items) copies.push_back(CopyItem(item));
    return copies;
}

std::vector<LPCITEMIDLIST> PointersTo(const std::vector<ItemCopy>& copies) {
    std::vector<LPCITEMIDLIST> items;
    for (const ItemCopy& copy : copies)
        if (copy) items.push_back(copy.get());
    return items;
}

}  // namespace

void CMounterShellView::StopIdleTimer() {
    for (CMounterViewSupport* view : {m_listView.get(), m_thumbView.get()})
        if (view) view->StopIdleTimer();
}

void CMounterShellView::RestartIdleTimer(bool withStatus) {
    if (!m_activeView) return;
    StopIdleTimer();
    m_activeView->StartIdleTimer(withStatus);
}

void CMounterShellView::CloseCameraSession() { m_folder->CloseCamera(); }

void CMounterShellView::KeepCameraAlive() {
    try {
        if (m_folder->IsSessionOpen()) m_folder->RefreshCameraStatus();
    } catch (const MounterException&) {
        // The next command that needs the camera reports it.
    }
}

bool CMounterShellView::FolderOnCard() const {
    return m_folder->FolderKind() == MntMemoryCard || m_folder->CameraPath().rfind(kCardPathPrefix, 0) == 0;
}

bool CMounterShellView::DialogTookDefaultCommand() {
    return m_dialogBrowser && m_dialogBrowser->OnDefaultCommand(this) != S_FALSE;
}

void CMounterShellView::OpenFileItem(LPCITEMIDLIST item, bool albumsStay) {
    if (!OpenSessionForCommand(m_folder.get(), m_owner) || !item) return;
    if (FolderOnCard() && !m_folder->IsCardPresent(TRUE)) {
        mounter::ShowMessage(m_owner, IDS_CARD_NOT_INSERTED);
        return;
    }
    if (DialogTookDefaultCommand()) return;
    switch (itemid::TypeOf(item)) {
    case MntPictureFile:
    case MntOtherFile: OpenPicture(item); break;
    case MntAlbum:
        if (albumsStay) break;
        [[fallthrough]];
    default: mounter::ShowMessage(m_owner, IDS_UNKNOWN_ITEM_TYPE); break;
    }
}

bool CMounterShellView::ReadyForFileMenu() {
    if (!OpenSessionForCommand(m_folder.get(), m_owner)) return false;
    if (!FolderOnCard() || m_folder->IsCardPresent(TRUE)) return true;
    mounter::ShowMessage(m_owner, IDS_CARD_NOT_INSERTED);
    return false;
}

void CMounterShellView::BrowseInto(LPCITEMIDLIST item, bool explore) {
    if (!item || !m_browser) return;
    ItemCopy absolute(itemid::Append(m_folder->IdList(), item));
    if (absolute) m_browser->BrowseObject(absolute.get(), BrowseFlagsFor(explore, m_owner));
}

void CMounterShellView::BrowseToParent() {
    if (m_browser) m_browser->BrowseObject(nullptr, SBSP_PARENT);
}

void CMounterShellView::RunItemCommand(UINT command, LPCITEMIDLIST contextItem) {
    switch (command) {
    case ID_MEMORY_OPEN:
    case ID_ALBUM_OPEN: BrowseInto(contextItem, false); break;
    case ID_MEMORY_EXPLORE:
    case ID_ALBUM_EXPLORE: BrowseInto(contextItem, true); break;
    case ID_MEMORY_PROPERTIES:
    case ID_ALBUM_PROPERTIES: ShowItemProperties(contextItem); break;
    case ID_CAMERA_FOLDER_PROPERTIES:
    case ID_MEMORY_FOLDER_PROPERTIES:
    case ID_ALBUM_FOLDER_PROPERTIES: ShowFolderProperties(); break;
    case ID_MEMORY_FORMAT: FormatCardWithConfirmation(m_folder.get(), m_owner); break;
    case ID_PICTURE_PROPERTIES: m_folder->ShowPictureProperties(m_owner, contextItem); break;
    case ID_PICTURE_OPEN: OpenPicture(contextItem); break;
    default: break;
    }
}

void CMounterShellView::ShowFolderProperties() {
    pv::ComPtr<IShellExtInit> init;
    if (FAILED(m_folder->QueryInterface(IID_IShellExtInit, init.putVoid())) ||
        FAILED(init->Initialize(m_folder->IdList(), nullptr, nullptr)))
        return;
    if (pv::ComPtr<IContextMenu> menu = init.as<IContextMenu>()) InvokeFirstCommand(menu.get(), m_owner);
}

void CMounterShellView::ShowItemProperties(LPCITEMIDLIST item) {
    pv::ComPtr<IContextMenu> menu;
    if (item && SUCCEEDED(m_folder->ShellFolder()->GetUIObjectOf(m_owner, 1, &item, IID_IContextMenu, nullptr,
                                                                 menu.putVoid())))
        InvokeFirstCommand(menu.get(), m_owner);
}

void CMounterShellView::DragItems(HWND, const std::vector<LPCITEMIDLIST>& items) {
    if (items.empty() || !OpenSessionForCommand(m_folder.get(), m_owner)) return;
    // The drag loop dispatches messages: a refresh meanwhile must not take the identifiers away.
    std::vector<ItemCopy> copies = CopiesOf(items);
    std::vector<LPCITEMIDLIST> dragged = PointersTo(copies);
    StartItemDrag(m_folder.get(), static_cast<UINT>(dragged.size()), dragged.data(), m_owner, [this] { RefreshView(); });
}

void CMounterShellView::DeleteItems(const std::vector<LPCITEMIDLIST>& items) {
    if (!OpenSessionForCommand(m_folder.get(), m_owner) || !ConfirmPictureDeletion(m_owner)) return;
    std::vector<ItemCopy> copies = CopiesOf(items);
    int deleted = 0;
    for (LPCITEMIDLIST item : PointersTo(copies)) {
        std::string name = itemid::NameOf(item);
        deleted += DeleteCameraPicture(m_folder.get(), m_owner, m_folder->CameraPath() + "\\" + name, name) ? 1 : 0;
    }
    if (deleted == 0) return;
    RefreshView();
    if (CMounterViewSupport* other = OtherView()) FillView(other);
}

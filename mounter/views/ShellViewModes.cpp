// The view modes, sorting and auto arrange: what the View and Arrange Icons commands change.
#include "MounterShellView.h"

#include "CommandSession.h"
#include "MounterViewSupport.h"
#include "OleException.h"
#include "ViewResources.h"

#include <commctrl.h>

namespace {

struct ViewMode {
    UINT command;
    DWORD viewMode;
    DWORD listType;
    DWORD thumbnails;
};

constexpr ViewMode kModes[] = {
    {ID_VIEW_LARGE_ICONS, FVM_ICON, LVS_ICON, 0},  {ID_VIEW_SMALL_ICONS, FVM_SMALLICON, LVS_SMALLICON, 0},
    {ID_VIEW_LIST, FVM_LIST, LVS_LIST, 0},         {ID_VIEW_DETAILS, FVM_DETAILS, LVS_REPORT, 0},
    {ID_VIEW_THUMBNAIL, FVM_DETAILS, LVS_REPORT, 1},
};

struct Arrangement {
    UINT command;
    DWORD column;
    DWORD ascending;
};

// By Size sorts the largest first and By Date the newest first.
constexpr Arrangement kArrangements[] = {
    {ID_ARRANGE_BY_NAME, 0, 1}, {ID_ARRANGE_BY_SIZE, 1, 1}, {ID_ARRANGE_BY_TYPE, 2, 1}, {ID_ARRANGE_BY_DATE, 3, 0}};

}  // namespace

void CMounterShellView::SetViewMode(UINT command) {
    const ViewMode* mode = nullptr;
    for (const ViewMode& candidate : kModes)
        if (candidate.command == command) mode = &candidate;
    if (!mode || !m_activeView || (mode->thumbnails && !LevelHasThumbnails())) return;
    if (mode->viewMode == m_state.viewMode && mode->thumbnails == m_state.thumbnails) return;
    if (mode->thumbnails && !OpenSessionForCommand(m_folder.get(), m_owner)) return;
    const MounterViewState previous = m_state;
    CMounterViewSupport* previousView = m_activeView;
    if (previous.viewMode == FVM_DETAILS && !previous.thumbnails) SaveColumnWidths();
    try {
        m_state.viewMode = mode->viewMode;
        m_state.SetListType(mode->listType);
        m_state.thumbnails = mode->thumbnails;
        if (mode->thumbnails != previous.thumbnails) {
            CMounterViewSupport* view = CreateView(mode->thumbnails != 0);
            if (!view) throw COleException(E_OUTOFMEMORY);
            ShowView(view);
        }
        if (m_menusMerged)
            COleException::ThrowIfFailed(m_browser->SetMenuSB(m_sharedMenu.get(), nullptr, m_activeView->Window()));
        ApplyListType();
        UpdateToolbarCheck();
    } catch (const COleException&) {
        m_state = previous;
        ShowView(previousView);
        ApplyListType();
        UpdateToolbarCheck();
        throw;
    }
}

void CMounterShellView::ShowView(CMounterViewSupport* view) {
    if (view != m_activeView && m_activeView) m_activeView->StopIdleTimer();
    m_activeView = view;
    m_container->Show(view);
    if (!view->FilledWith(m_itemsGeneration)) FillView(view);
}

void CMounterShellView::ApplyListType() {
    if (!m_listView || !m_listView->Window()) return;
    LONG_PTR style = GetWindowLongPtrA(m_listView->Window(), GWL_STYLE);
    if (static_cast<DWORD>(style & LVS_TYPEMASK) != m_state.ListType())
        SetWindowLongPtrA(m_listView->Window(), GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | m_state.ListType());
}

void CMounterShellView::ArrangeBy(UINT command) {
    for (const Arrangement& arrangement : kArrangements)
        if (arrangement.command == command) {
            m_state.Ascending(arrangement.column) = arrangement.ascending;
            m_state.sortColumn = arrangement.column;
            SortList();
        }
}

void CMounterShellView::SortByColumnClick(int column) {
    if (column < 0 || column > 3) return;
    DWORD& ascending = m_state.Ascending(static_cast<DWORD>(column));
    ascending = ascending ? 0 : 1;
    m_state.sortColumn = static_cast<DWORD>(column);
    SortList();
}

void CMounterShellView::SortList() {
    if (m_listView) m_listView->SortItems(m_state.sortColumn, m_state.Ascending(m_state.sortColumn));
}

void CMounterShellView::ToggleAutoArrange() {
    m_state.listStyle ^= LVS_AUTOARRANGE;
    m_state.folderFlags ^= FWF_AUTOARRANGE;
    if (!m_listView || m_activeView != m_listView.get()) return;
    HWND list = m_listView->Window();
    LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    bool on = (m_state.listStyle & LVS_AUTOARRANGE) != 0;
    SetWindowLongPtrA(list, GWL_STYLE, on ? style | LVS_AUTOARRANGE : style & ~LONG_PTR(LVS_AUTOARRANGE));
    if (on) SendMessageA(list, LVM_ARRANGE, LVA_DEFAULT, 0);
}

#include "MounterThumbView.h"

#include "MounterMessages.h"
#include "MounterResources.h"
#include "MounterShellView.h"
#include "ThumbnailLayout.h"
#include "ViewResources.h"

#include <memory>

namespace {

constexpr DWORD kThumbWindowStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP;

LOGFONTA IconTitleFont() {
    LOGFONTA font = {};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    return font;
}

int ClientWidth(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client.right;
}

}  // namespace

CMounterThumbView::CMounterThumbView(CMounterShellView* shellView, CWrapper* container)
    : CMounterViewSupport(shellView, container, true) {}

// The window goes before the cells and the font it draws with.
CMounterThumbView::~CMounterThumbView() {
    m_tracker.End();
    m_window.Destroy();
}

bool CMounterThumbView::CreateWindowIn(DWORD) {
    RECT rect = m_container->ClientRect();
    if (!m_window.CreateOwn(mounter::LoadText(IDS_THUMB_VIEW_CLASS), CS_DBLCLKS | CS_PARENTDC, kThumbWindowStyle,
                            {m_container->Window(), rect, kChildId}, this))
        return false;
    LOGFONTA font = IconTitleFont();
    m_font.reset(CreateFontIndirectA(&font));
    m_columns = thumblayout::ColumnsFor(ClientWidth(Window()));
    m_scrolling.Reset(Window());
    return true;
}

void CMounterThumbView::Clear() {
    m_tracker.End();
    m_cells.Clear();
    m_rows = 1;
    m_stop = false;
    m_anchor = -1;
    m_rememberedItem = -1;
    m_deferredSelection = false;
    m_left = m_right = Button();
    if (!Window()) return;
    m_scrolling.Reset(Window());
    InvalidateRect(Window(), nullptr, TRUE);
    UpdateWindow(Window());
}

bool CMounterThumbView::TakesItem(LPCITEMIDLIST item) const {
    return itemid::TypeOf(item) == MntPictureFile && m_shellView->FolderOnCard();
}

HRESULT CMounterThumbView::AddItem(LPCITEMIDLIST item, const std::string& name) {
    if (!WantsMoreItems() || !TakesItem(item)) return S_OK;
    CMounterNameSpaceFolder* folder = m_shellView->Folder();
    mounter::CameraBuffer block;
    if (!folder->GetThumbnailByName(folder->CameraPathOf(item).c_str(), block.put())) {
        m_stop = true;
        mounter::ShowMessage(m_shellView->OwnerWindow(), IDS_CAMERA_NOT_FOUND, MB_OK | MB_ICONERROR);
        return S_OK;
    }
    int fontHeight = IconTitleFont().lfHeight;
    POINT origin = thumblayout::CellOrigin(m_cells.Count(), m_columns, fontHeight);
    m_cells.Add(std::make_unique<CThumbnailViewItem>(item, name, std::move(block), origin, fontHeight));
    m_rows = thumblayout::RowsFor(m_cells.Count(), m_columns);
    RedrawChanged();
    UpdateScrollBars();
    return S_OK;
}

void CMounterThumbView::UpdateScrollBars() {
    if (m_cells.Count() == 0 || !Window()) return;
    m_scrolling.Update(Window(), m_columns, m_rows, {CThumbnailViewItem::CellWidth(), m_cells.First().CellHeight()});
}

POINT CMounterThumbView::ToView(POINT client) const {
    return {client.x + ViewOffset().x, client.y + ViewOffset().y};
}

void CMounterThumbView::Paint() {
    pv::PaintDC dc(Window());
    if (!dc) return;
    SetWindowOrgEx(dc.get(), ViewOffset().x, ViewOffset().y, nullptr);
    for (auto& cell : m_cells) cell->Draw(dc.get(), m_font.get());
}

void CMounterThumbView::RedrawChanged() {
    pv::WindowDC dc(Window());
    if (!dc) return;
    SetWindowOrgEx(dc.get(), ViewOffset().x, ViewOffset().y, nullptr);
    for (auto& cell : m_cells)
        if (cell->NeedsRedraw()) cell->Draw(dc.get(), m_font.get());
}

void CMounterThumbView::SelectAll() {
    m_cells.SelectAll();
    RedrawChanged();
    SelectionChanged();
}

void CMounterThumbView::InvertSelection() {
    m_cells.InvertSelection();
    RedrawChanged();
    SelectionChanged();
}

UINT CMounterThumbView::ShownItemCount() const { return static_cast<UINT>(m_shellView->Items().size()); }

ULONGLONG CMounterThumbView::ShownItemBytes() const {
    ULONGLONG bytes = 0;
    for (const ItemCopy& item : m_shellView->Items())
        if (const MounterItemId* id = itemid::FromIdList(item.get())) bytes += id->size;
    return bytes;
}

LPCITEMIDLIST CMounterThumbView::RememberedItem() const {
    return m_rememberedItem >= 0 && m_rememberedItem < m_cells.Count() ? m_cells.At(m_rememberedItem).Item() : nullptr;
}

bool CMounterThumbView::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    *result = 0;
    switch (message) {
    case WM_PAINT: Paint(); return true;
    case WM_LBUTTONDOWN: OnButtonDown(m_left, point, wParam); return true;
    case WM_RBUTTONDOWN: OnButtonDown(m_right, point, wParam); return true;
    case WM_LBUTTONUP: OnButtonUp(m_left, wParam); return true;
    // The default processing of the right button-up sends WM_CONTEXTMENU.
    case WM_RBUTTONUP: OnButtonUp(m_right, wParam); return false;
    case WM_MOUSEMOVE: OnMouseMove(point, wParam); return true;
    case WM_LBUTTONDBLCLK: OpenRememberedItem(); return true;
    case WM_CONTEXTMENU: OnContextMenu(lParam); return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) m_tracker.End();
        return true;
    case WM_HSCROLL: m_scrolling.Scroll(window, SB_HORZ, LOWORD(wParam), HIWORD(wParam)); return true;
    case WM_VSCROLL: m_scrolling.Scroll(window, SB_VERT, LOWORD(wParam), HIWORD(wParam)); return true;
    case WM_SIZE:
        *result = DefWindowProcA(window, message, wParam, lParam);
        UpdateScrollBars();
        return true;
    default: return CMounterViewSupport::OnMessage(window, message, wParam, lParam, result);
    }
}

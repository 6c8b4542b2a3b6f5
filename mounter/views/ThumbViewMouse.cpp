// The mouse in the thumbnail view: click selection with Ctrl and Shift, the selection deferred to
// the button-up on a selected cell (so that a selected group can be dragged), the rubber band, drag
// detection and the context menu. A right click on a selected cell keeps the selection, as the
// shell's own views do, so that its context menu is about the whole selection.
#include "MounterThumbView.h"

#include "MounterShellView.h"

#include <cstdlib>

namespace {

// How far the mouse moves sideways with a button down before a drag starts.
constexpr int kDragDistance = 9;

}  // namespace

void CMounterThumbView::OnButtonDown(Button& button, POINT point, WPARAM keys) {
    button.down = point;
    button.pending = true;
    if (GetFocus() != Window()) SetFocus(Window());
    ClickSelect(point, keys);
}

void CMounterThumbView::OnButtonUp(Button& button, WPARAM keys) {
    if (m_tracker.Active() && &button == &m_left) {
        m_tracker.End();
        SelectionChanged();
    }
    if (m_deferredSelection && button.pending && &button == &m_left) {
        m_applyingDeferred = true;
        ClickSelect(button.down, keys);
        m_applyingDeferred = false;
    }
    m_deferredSelection = false;
    button = Button();
}

void CMounterThumbView::ClickSelect(POINT point, WPARAM keys) {
    int hit = m_cells.HitTest(ToView(point));
    if (hit < 0) {
        if (!(keys & (MK_SHIFT | MK_CONTROL))) {
            m_cells.ClearSelection();
            m_rememberedItem = -1;
        }
        RedrawChanged();
        SelectionChanged();
        if (!m_right.pending) m_tracker.Begin(Window(), point, [this](const RECT& band) { OnBandChanged(band); });
        return;
    }
    if (m_cells.At(hit).Selected() && !m_applyingDeferred) {
        m_deferredSelection = true;
        if (m_right.pending) FocusSelectedCell(hit);
        return;
    }
    SelectClickedCell(hit, keys);
    RedrawChanged();
    SelectionChanged();
}

void CMounterThumbView::SelectClickedCell(int hit, WPARAM keys) {
    bool shift = (keys & MK_SHIFT) != 0, control = (keys & MK_CONTROL) != 0;
    if (shift) {
        if (!control) m_cells.ClearSelection();
        m_cells.SelectSpan(m_anchor, hit);
    } else if (control) {
        m_cells.SetSelected(hit, !m_cells.At(hit).Selected());
        m_anchor = hit;
    } else {
        m_cells.ClearSelection();
        m_cells.SetSelected(hit, true);
        m_anchor = hit;
    }
    m_cells.SetFocus(hit);
    m_rememberedItem = hit;
}

void CMounterThumbView::FocusSelectedCell(int hit) {
    m_cells.SetFocus(hit);
    m_rememberedItem = hit;
    RedrawChanged();
}

void CMounterThumbView::OnBandChanged(RECT band) {
    OffsetRect(&band, ViewOffset().x, ViewOffset().y);
    m_cells.SelectInRect(band);
    RedrawChanged();
}

void CMounterThumbView::OnMouseMove(POINT point, WPARAM keys) {
    if (m_tracker.Active()) {
        m_tracker.MoveTo(point);
        return;
    }
    struct Watched {
        Button& button;
        WPARAM down;
    };
    for (Watched watched : {Watched{m_left, MK_LBUTTON}, Watched{m_right, MK_RBUTTON}}) {
        Button& button = watched.button;
        if (!(keys & watched.down) || !button.pending || m_cells.HitTest(ToView(button.down)) < 0) continue;
        if (std::abs(point.x - button.down.x) > kDragDistance) {
            StartDrag(button);
            return;
        }
    }
}

void CMounterThumbView::StartDrag(Button& button) {
    std::vector<LPCITEMIDLIST> items = SelectedItems();
    button = Button();
    m_deferredSelection = false;
    Guarded([&] { m_shellView->DragItems(Window(), items); });
}

void CMounterThumbView::OnContextMenu(LPARAM position) {
    POINT screen = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) {
        DWORD cursor = GetMessagePos();
        screen = {static_cast<short>(LOWORD(cursor)), static_cast<short>(HIWORD(cursor))};
    }
    ShowContextMenuFor(RememberedItem(), screen);
}

// The thumbnail view of a shell view ("PV360_Mounter_Thumb_View"): a window of its own that shows
// each picture of the folder as a cell with the camera's small picture and three label lines, newest
// first. Cells are fetched from the camera one by one as the shell view adds the items, and drawn as
// they arrive; a fetch that fails stops the fill. Clicks, Ctrl- and Shift-clicks and a rubber band
// select, a selected group can be dragged out, and both scroll bars move in half cells.
#pragma once

#include "GdiObject.h"
#include "MounterViewSupport.h"
#include "ThumbViewScrolling.h"
#include "ThumbViewTracker.h"
#include "ThumbnailViewItems.h"

class CMounterThumbView : public CMounterViewSupport {
public:
    ~CMounterThumbView() override;

    bool IsThumbnailView() const override { return true; }
    bool CreateWindowIn(DWORD listStyle) override;
    // Discards the cells, resets the scroll bars, the rows and the stop flag, and redraws.
    void Clear() override;
    // Fetches the thumbnail of a picture on the card and adds its cell; nothing for other items.
    HRESULT AddItem(LPCITEMIDLIST item, const std::string& name) override;
    // The stop flag: set when a thumbnail could not be fetched or the window went.
    bool WantsMoreItems() const override { return !m_stop && Window(); }
    void SelectAll() override;
    void InvertSelection() override;
    std::vector<LPCITEMIDLIST> SelectedItems() const override { return m_cells.SelectedItems(); }
    // Without a selection the status bar counts every item of the folder, with a cell or not.
    UINT ShownItemCount() const override;
    ULONGLONG ShownItemBytes() const override;

    static constexpr UINT kChildId = 4000000;

protected:
    CMounterThumbView(CMounterShellView* shellView, CWrapper* container);

    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LPCITEMIDLIST RememberedItem() const override;

private:
    // A mouse button since it went down; a drag that starts clears it, so its button-up changes
    // nothing.
    struct Button {
        POINT down = {-1, -1};
        bool pending = false;
    };

    bool TakesItem(LPCITEMIDLIST item) const;
    void UpdateScrollBars();
    POINT ViewOffset() const { return m_scrolling.Offset(); }
    POINT ToView(POINT client) const;
    void Paint();
    // Draws the cells whose look changed through a client context.
    void RedrawChanged();

    // The mouse (ThumbViewMouse.cpp).
    void OnButtonDown(Button& button, POINT point, WPARAM keys);
    void OnButtonUp(Button& button, WPARAM keys);
    void OnMouseMove(POINT point, WPARAM keys);
    // The click selection of a button-down, and again of the button-up that applies a deferred one.
    void ClickSelect(POINT point, WPARAM keys);
    void SelectClickedCell(int hit, WPARAM keys);
    // A right button-down on a selected cell: the cell gets the focus and the context menu, the
    // selection stays.
    void FocusSelectedCell(int hit);
    void StartDrag(Button& button);
    void OnBandChanged(RECT band);
    void OnContextMenu(LPARAM position);

    bool m_stop = false;
    bool m_deferredSelection = false;
    bool m_applyingDeferred = false;
    Button m_left;
    Button m_right;
    int m_rows = 1;
    int m_columns = 1;
    CThumbViewScrolling m_scrolling;
    int m_anchor = -1;
    CThumbnailViewItems m_cells;
    pv::GdiFont m_font;
    CThumbViewTracker m_tracker;
};

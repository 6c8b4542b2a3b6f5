// The cells of the thumbnail view in the order they were added, and the selection rules over them:
// the focused cell, single and range selection, toggling, and selection by a rectangle. Every change
// marks the cells it touches for redrawing.
#pragma once

#include "ThumbnailViewItem.h"

#include <memory>
#include <vector>

class CThumbnailViewItems {
public:
    // The first cell added takes the focus.
    void Add(std::unique_ptr<CThumbnailViewItem> cell);
    void Clear();

    int Count() const { return static_cast<int>(m_cells.size()); }
    CThumbnailViewItem& At(int index) { return *m_cells[static_cast<size_t>(index)]; }
    const CThumbnailViewItem& At(int index) const { return *m_cells[static_cast<size_t>(index)]; }
    const CThumbnailViewItem& First() const { return *m_cells.front(); }
    // The first cell a point (view coordinates) hits, -1 for none.
    int HitTest(POINT point) const;

    int SelectedCount() const { return m_selectedCount; }
    int FocusIndex() const { return m_focus; }
    std::vector<LPCITEMIDLIST> SelectedItems() const;

    void SetSelected(int index, bool selected);
    void ClearSelection();
    void SelectAll();
    void InvertSelection();
    // Moves the focus to a cell.
    void SetFocus(int index);
    // Selects every cell that meets the rectangle spanned by the two cells, keeping the others.
    void SelectSpan(int from, int to);
    // Selects exactly the cells that meet a rectangle (view coordinates).
    void SelectInRect(const RECT& band);

    auto begin() { return m_cells.begin(); }
    auto end() { return m_cells.end(); }

private:
    std::vector<std::unique_ptr<CThumbnailViewItem>> m_cells;
    int m_selectedCount = 0;
    int m_focus = -1;
};

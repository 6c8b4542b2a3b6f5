// Where the thumbnail view puts its cells: 134 pixels wide, 20 apart, rows three label lines high
// plus the picture, the first cell 20 pixels from the left and the top. Cells never move.
#pragma once

#include <windows.h>

namespace thumblayout {

constexpr int kCellWidth = 134;
constexpr int kColumnPitch = 154;
constexpr int kMargin = 20;

// Columns that fit a client width, at least 1.
inline int ColumnsFor(int clientWidth) { return clientWidth / kColumnPitch > 1 ? clientWidth / kColumnPitch : 1; }
// The icon title font's absolute height gives the label: three lines of (height + 5).
inline int LabelHeight(int fontHeight) { return 3 * ((fontHeight < 0 ? -fontHeight : fontHeight) + 5); }
inline int CellHeight(int fontHeight) { return 93 + LabelHeight(fontHeight); }
inline int RowPitch(int fontHeight) { return CellHeight(fontHeight) + 15; }
// The top-left corner of cell n among k columns.
inline POINT CellOrigin(int n, int columns, int fontHeight) {
    return {(n % columns) * kColumnPitch + kMargin, (n / columns) * RowPitch(fontHeight) + kMargin};
}
// Rows that n cells fill, at least 1.
inline int RowsFor(int cells, int columns) { return cells <= columns ? 1 : (cells + columns - 1) / columns; }

}  // namespace thumblayout

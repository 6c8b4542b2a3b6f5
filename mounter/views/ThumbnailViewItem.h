// A cell of the thumbnail view: one picture of the folder with its small picture from the camera
// and three label lines (date, size, name), at a fixed place in view coordinates.
#pragma once

#include "CameraHandles.h"
#include "ItemCopy.h"
#include "ThumbNailImage.h"
#include "ThumbnailLayout.h"

#include <windows.h>

#include <string>

class CThumbnailViewItem {
public:
    // The cell of an item at origin (view coordinates), for an icon title font of fontHeight; the
    // cell keeps the camera's block and a copy of the identifier. Throws std::bad_alloc.
    CThumbnailViewItem(LPCITEMIDLIST item, std::string name, mounter::CameraBuffer block, POINT origin,
                       int fontHeight);
    CThumbnailViewItem(const CThumbnailViewItem&) = delete;
    CThumbnailViewItem& operator=(const CThumbnailViewItem&) = delete;

    LPCITEMIDLIST Item() const { return m_item.get(); }
    const std::string& Name() const { return m_name; }
    DWORD Size() const { return m_size; }
    const FILETIME& Date() const { return m_date; }
    const CThumbNailImage& Image() const { return m_image; }

    RECT CellRect() const;
    RECT ImageRect() const;
    RECT LabelRect() const;
    int CellHeight() const { return m_cellHeight; }
    static constexpr int CellWidth() { return thumblayout::kCellWidth; }
    // Whether a point (view coordinates) lies on the picture, its margin or the label.
    bool Hits(POINT point) const;

    bool Selected() const { return m_selected; }
    bool HasFocus() const { return m_hasFocus; }
    // Each change marks the cell for redrawing; answers whether anything changed.
    bool SetSelected(bool selected);
    void SetFocus(bool focus);
    bool NeedsRedraw() const { return m_changed; }

    // Draws the whole cell into a context whose window origin is the view's scroll offset.
    void Draw(HDC dc, HFONT font);

private:
    static constexpr int kImageLeft = 19;
    static constexpr int kImageTop = 8;
    static constexpr int kLabelTop = 93;

    ItemCopy m_item;
    std::string m_name;
    FILETIME m_date;
    DWORD m_size;
    mounter::CameraBuffer m_block;
    CThumbNailImage m_image;
    POINT m_origin;
    int m_labelHeight;
    int m_cellHeight;
    bool m_selected = false;
    bool m_hasFocus = false;
    bool m_changed = true;
};

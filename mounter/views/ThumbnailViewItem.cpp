#include "ThumbnailViewItem.h"

#include "GdiObject.h"
#include "ViewTexts.h"

#include <utility>

namespace {

constexpr int kFrameMargin = 8;
constexpr int kHitMarginBelow = 13;
constexpr UINT kLabelFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

RECT Grown(RECT rect, int left, int top, int right, int bottom) {
    return {rect.left - left, rect.top - top, rect.right + right, rect.bottom + bottom};
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour) {
    pv::GdiBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

}  // namespace

CThumbnailViewItem::CThumbnailViewItem(LPCITEMIDLIST item, std::string name, mounter::CameraBuffer block,
                                       POINT origin, int fontHeight)
    : m_item(CopyItem(item)),
      m_name(std::move(name)),
      m_date{},
      m_size(0),
      m_block(std::move(block)),
      m_image(m_block.get(), m_block ? CThumbNailImage::kMosaicBytes : 0),
      m_origin(origin),
      m_labelHeight(thumblayout::LabelHeight(fontHeight)),
      m_cellHeight(thumblayout::CellHeight(fontHeight)) {
    if (!m_item) throw std::bad_alloc();
    if (const MounterItemId* id = itemid::FromIdList(item)) {
        m_date = id->time;
        m_size = id->size;
    }
}

RECT CThumbnailViewItem::CellRect() const {
    return {m_origin.x, m_origin.y, m_origin.x + thumblayout::kCellWidth, m_origin.y + m_cellHeight};
}

RECT CThumbnailViewItem::ImageRect() const {
    LONG left = m_origin.x + kImageLeft, top = m_origin.y + kImageTop;
    return {left, top, left + CThumbNailImage::kWidth, top + CThumbNailImage::kHeight};
}

RECT CThumbnailViewItem::LabelRect() const {
    LONG top = m_origin.y + kLabelTop;
    return {m_origin.x, top, m_origin.x + thumblayout::kCellWidth, top + m_labelHeight};
}

bool CThumbnailViewItem::Hits(POINT point) const {
    RECT picture = Grown(ImageRect(), kFrameMargin, kFrameMargin, kFrameMargin, kHitMarginBelow);
    RECT label = LabelRect();
    return PtInRect(&picture, point) || PtInRect(&label, point);
}

bool CThumbnailViewItem::SetSelected(bool selected) {
    if (m_selected == selected) return false;
    m_selected = selected;
    m_changed = true;
    return true;
}

void CThumbnailViewItem::SetFocus(bool focus) {
    if (m_hasFocus == focus) return;
    m_hasFocus = focus;
    m_changed = true;
}

void CThumbnailViewItem::Draw(HDC dc, HFONT font) {
    pv::SelectedObject selectedFont(dc, font);
    SetBkMode(dc, OPAQUE);
    COLORREF background = GetSysColor(m_selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    SetBkColor(dc, background);
    SetTextColor(dc, GetSysColor(m_selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT label = LabelRect();
    FillWith(dc, Grown(ImageRect(), kFrameMargin, kFrameMargin, kFrameMargin, kFrameMargin), background);
    FillWith(dc, label, background);
    m_image.Draw(dc, {ImageRect().left, ImageRect().top});
    const std::string lines[3] = {viewtext::ItemDateText(m_date), viewtext::ItemSizeText(m_size), m_name};
    int lineHeight = m_labelHeight / 3;
    for (int i = 0; i < 3; ++i) {
        RECT line = {label.left, label.top + i * lineHeight, label.right, label.top + (i + 1) * lineHeight};
        DrawTextA(dc, lines[i].c_str(), -1, &line, kLabelFormat);
    }
    if (m_hasFocus) DrawFocusRect(dc, &label);
    m_changed = false;
}

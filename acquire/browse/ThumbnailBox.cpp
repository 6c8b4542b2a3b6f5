#include "ThumbnailBox.h"

#include "PictureDrawing.h"
#include "PvresIds.h"
#include "ThumbnailPixels.h"

namespace acquire {

void DrawThumbnailBox(const DRAWITEMSTRUCT& item, const std::vector<BYTE>& pixels, bool shown) {
    const RECT& box = item.rcItem;
    FillRect(item.hDC, &box, HBRUSH(GetStockObject(WHITE_BRUSH)));
    if (!shown) return;
    int left = box.left + (box.right - box.left - kThumbWidth) / 2;
    int top = box.top + (box.bottom - box.top - kThumbHeight) / 2;
    if (pixels.size() == kThumbBytes) {
        DrawThumbnail(item.hDC, pixels, left, top);
    } else {
        DrawPicture(item.hDC, PvresResource(IDP_PV_PLACEHOLDER, RT_PV_PICTURE), {left, top, left + kThumbWidth, top + kThumbHeight});
    }
}

}  // namespace acquire

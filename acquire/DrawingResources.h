// What the acquire dialog draws its picture area with, made when the dialog starts: the small-image
// strip, the red selection pen, the white and grey brushes, the label font, the placeholder picture
// and, on displays of 256 colours or fewer, a palette.
#pragma once

#include "GdiObject.h"
#include "PvresModule.h"

namespace acquire {

class DrawingResources {
public:
    DrawingResources();
    DrawingResources(const DrawingResources&) = delete;
    DrawingResources& operator=(const DrawingResources&) = delete;

    HBITMAP strip() const { return strip_.get(); }
    HPEN selectionPen() const { return selectionPen_.get(); }
    HBRUSH areaBrush() const { return white_.get(); }
    HBRUSH cellBrush() const { return grey_.get(); }
    HFONT font() const { return font_.get(); }
    HPALETTE palette() const { return palette_.get(); }
    const ResourceBytes& placeholder() const { return placeholder_; }
    const ResourceBytes& background() const { return background_; }

private:
    pv::GdiBitmap strip_;
    pv::GdiPen selectionPen_;
    pv::GdiBrush white_;
    pv::GdiBrush grey_;
    pv::GdiFont font_;
    pv::GdiObject<HPALETTE> palette_;
    ResourceBytes placeholder_;
    ResourceBytes background_;
};

}  // namespace acquire

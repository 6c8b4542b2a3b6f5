// An owner-drawn button that shows one of four faces loaded from pvres by its caption: <caption>U
// up, D down, F focused, X disabled; it takes the size of its faces.
#pragma once

#include "GdiObject.h"

#include <windows.h>

namespace acquire {

class BitmapButton {
public:
    BitmapButton() = default;
    BitmapButton(const BitmapButton&) = delete;
    BitmapButton& operator=(const BitmapButton&) = delete;

    // Loads the faces named by the button's text; false when one is missing.
    bool Attach(HWND button);
    void Draw(const DRAWITEMSTRUCT& item) const;
    HWND window() const { return window_; }

private:
    enum Face { kUp, kDown, kFocused, kDisabled, kFaces };
    HWND window_ = nullptr;
    pv::GdiBitmap faces_[kFaces];
};

}  // namespace acquire

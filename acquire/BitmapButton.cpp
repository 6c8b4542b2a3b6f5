#include "BitmapButton.h"

#include "PvresModule.h"

#include <string>

namespace acquire {

bool BitmapButton::Attach(HWND button) {
    window_ = button;
    char caption[32] = {};
    GetWindowTextA(button, caption, sizeof caption);
    const char letters[kFaces] = {'U', 'D', 'F', 'X'};
    for (int face = 0; face < kFaces; ++face) {
        std::string name = std::string(caption) + letters[face];
        faces_[face].reset(LoadBitmapA(PvresInstance(), name.c_str()));
        if (!faces_[face]) return false;
    }
    BITMAP shape{};
    GetObjectA(faces_[kUp].get(), sizeof shape, &shape);
    SetWindowPos(button, nullptr, 0, 0, shape.bmWidth, shape.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void BitmapButton::Draw(const DRAWITEMSTRUCT& item) const {
    Face face = kUp;
    if (item.itemState & ODS_DISABLED) {
        face = kDisabled;
    } else if (item.itemState & ODS_SELECTED) {
        face = kDown;
    } else if (item.itemState & ODS_FOCUS) {
        face = kFocused;
    }
    if (!faces_[face]) return;
    pv::MemoryDC source(item.hDC);
    pv::SelectedObject selected(source.get(), faces_[face].get());
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
}

}  // namespace acquire

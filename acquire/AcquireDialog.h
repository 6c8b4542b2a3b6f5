// The modeless acquire dialog: six bitmap buttons, the picture area with its thumbnails, the status
// fields and the status line. Its messages reach it through the application's message loop.
#pragma once

#include "BitmapButton.h"
#include "DrawingResources.h"
#include "ThumbnailArea.h"

#include <windows.h>

#include <array>
#include <memory>

namespace acquire {

class AcquireManager;

class AcquireDialog {
public:
    // System menu item of the About box.
    static constexpr UINT kAboutCommand = 0x0010;

    // The dialog shown, owned by parent; null when it could not be made.
    static std::unique_ptr<AcquireDialog> Create(AcquireManager& manager, HWND parent);
    ~AcquireDialog();
    AcquireDialog(const AcquireDialog&) = delete;
    AcquireDialog& operator=(const AcquireDialog&) = delete;

    HWND window() const { return window_; }
    // Shows a status text (a pvres string) in the status line.
    void ShowStatus(UINT text);
    // Brings the buttons, fields and thumbnails in line with the picture list.
    void Refresh();

private:
    explicit AcquireDialog(AcquireManager& manager) : manager_(manager) {}
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnInit();
    void OnCommand(int id);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnClick(POINT point, WPARAM keys);
    // The Picture Information box of the thumbnail under the point.
    void OnDoubleClick(POINT point);
    // A chooser's run (camera or disk) and its outcome shown.
    void OnGetPictures(int (*run)(AcquireManager&, AcquireDialog&));
    void OnTransfer();
    void OnUserClose();
    void UpdateFields();

    AcquireManager& manager_;
    HWND window_ = nullptr;
    std::unique_ptr<DrawingResources> drawing_;
    std::array<BitmapButton, 6> buttons_;
    ThumbnailArea area_;
    bool transferring_ = false;
    bool gettingPictures_ = false;
};

}  // namespace acquire

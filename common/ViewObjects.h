// Window-manager objects of the views owned for a lifetime: a window destroyed with DestroyWindow
// (its child windows go with it), an image list destroyed with ImageList_Destroy, and a timer
// killed with KillTimer.
#pragma once

#include "UniqueResource.h"

#include <windows.h>
#include <commctrl.h>

namespace pv {

struct WindowTraits : NullHandle<HWND> {
    static void close(HWND h) { DestroyWindow(h); }
};
using UniqueWindow = UniqueResource<WindowTraits>;

struct ImageListTraits : NullHandle<HIMAGELIST> {
    static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};
using UniqueImageList = UniqueResource<ImageListTraits>;

// A window timer: running from start() until stop() or the end of its owner.
class WindowTimer {
public:
    explicit WindowTimer(UINT_PTR id) : id_(id) {}
    ~WindowTimer() { stop(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Kills a running one first; false when the window refused it.
    bool start(HWND window, UINT milliseconds) {
        stop();
        if (!SetTimer(window, id_, milliseconds, nullptr)) return false;
        window_ = window;
        return true;
    }
    void stop() {
        if (window_) KillTimer(window_, id_);
        window_ = nullptr;
    }
    bool running() const { return window_ != nullptr; }
    UINT_PTR id() const { return id_; }

private:
    UINT_PTR id_;
    HWND window_ = nullptr;
};

}  // namespace pv

// A window made for a scope (a test's parent window, a helper's hidden window), destroyed when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace pv {

class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND window) : window_(window) {}
    ~UniqueWindow() { reset(); }
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;
    UniqueWindow(UniqueWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    UniqueWindow& operator=(UniqueWindow&& other) noexcept {
        if (this != &other) reset(std::exchange(other.window_, nullptr));
        return *this;
    }

    HWND get() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }
    void reset(HWND window = nullptr) {
        HWND old = std::exchange(window_, window);
        if (old && IsWindow(old)) DestroyWindow(old);
    }

private:
    HWND window_ = nullptr;
};

}  // namespace pv

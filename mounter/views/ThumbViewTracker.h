// The rubber band of the thumbnail view: from a button-down on empty space until the button goes up
// (or the mouse capture is lost), a one-pixel inverted outline follows the mouse, and every change of
// its rectangle is reported in client coordinates, normalised.
#pragma once

#include <windows.h>

#include <functional>

class CThumbViewTracker {
public:
    using ChangedRect = std::function<void(const RECT& band)>;

    // Takes the mouse capture for the window; onChanged hears each new rectangle.
    void Begin(HWND window, POINT start, ChangedRect onChanged);
    bool Active() const { return m_window != nullptr; }
    void MoveTo(POINT point);
    // The outline goes and the capture is given back.
    void End();

private:
    void DrawOutline() const;

    HWND m_window = nullptr;
    POINT m_start = {};
    RECT m_band = {};
    ChangedRect m_onChanged;
};

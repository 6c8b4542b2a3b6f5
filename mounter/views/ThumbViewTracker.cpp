#include "ThumbViewTracker.h"

#include "GdiObject.h"

#include <algorithm>
#include <utility>

void CThumbViewTracker::Begin(HWND window, POINT start, ChangedRect onChanged) {
    End();
    m_window = window;
    m_start = start;
    m_band = {start.x, start.y, start.x, start.y};
    m_onChanged = std::move(onChanged);
    SetCapture(window);
}

void CThumbViewTracker::MoveTo(POINT point) {
    if (!m_window) return;
    DrawOutline();
    m_band = {std::min(m_start.x, point.x), std::min(m_start.y, point.y), std::max(m_start.x, point.x),
              std::max(m_start.y, point.y)};
    // The cells redraw themselves while no outline is on them.
    if (m_onChanged) m_onChanged(m_band);
    DrawOutline();
}

void CThumbViewTracker::End() {
    if (!m_window) return;
    DrawOutline();
    HWND window = std::exchange(m_window, nullptr);
    m_onChanged = nullptr;
    if (GetCapture() == window) ReleaseCapture();
}

// Inverting twice restores what was there, so the same call erases the outline it drew.
void CThumbViewTracker::DrawOutline() const {
    if (m_band.right <= m_band.left && m_band.bottom <= m_band.top) return;
    pv::WindowDC dc(m_window);
    int width = m_band.right - m_band.left + 1, height = m_band.bottom - m_band.top + 1;
    PatBlt(dc.get(), m_band.left, m_band.top, width, 1, DSTINVERT);
    if (height > 1) PatBlt(dc.get(), m_band.left, m_band.bottom, width, 1, DSTINVERT);
    if (height > 2) {
        PatBlt(dc.get(), m_band.left, m_band.top + 1, 1, height - 2, DSTINVERT);
        if (width > 1) PatBlt(dc.get(), m_band.right, m_band.top + 1, 1, height - 2, DSTINVERT);
    }
}

// The container window of a shell view ("PV360_Mounter_View"): the child of the browser's window
// that holds the list view and the thumbnail view, shows one of them, and passes them the messages
// that reach it, among them the card watch's notifications.
#pragma once

#include "ViewWindow.h"

#include <windows.h>

class CMounterViewSupport;

class CWrapper : private CMessageHandler {
public:
    CWrapper() = default;
    CWrapper(const CWrapper&) = delete;
    CWrapper& operator=(const CWrapper&) = delete;

    // Creates the window over the browser's rectangle; false when it could not be made.
    bool Create(HWND owner, const RECT& rect);
    HWND Window() const { return m_window.get(); }
    // The window goes now (its views' windows with it), the object later.
    void DestroyWindow() { m_window.Destroy(); }

    void SetListView(CMounterViewSupport* view) { m_listView = view; }
    void SetThumbView(CMounterViewSupport* view) { m_thumbView = view; }
    // Hides and disables the other view; enables, shows and focuses this one.
    void Show(CMounterViewSupport* view);
    CMounterViewSupport* Active() const { return m_thumbActive ? m_thumbView : m_listView; }
    RECT ClientRect() const;

private:
    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The view whose window sent a notification, or null.
    CMounterViewSupport* ViewOfWindow(HWND window) const;

    CMounterViewSupport* m_listView = nullptr;
    CMounterViewSupport* m_thumbView = nullptr;
    bool m_thumbActive = false;
    CViewWindow m_window;
};

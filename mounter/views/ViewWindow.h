// The windows of the views: each passes its messages to the C++ object that owns it, until that
// object lets go of it. Either a window of one of the views' own classes, registered with the
// module while any window of the class lives, or a common control subclassed in place.
#pragma once

#include "ViewObjects.h"

#include <windows.h>

#include <string>

class CMessageHandler {
public:
    // A message of the handler's window; false leaves it to the window's default processing.
    virtual bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;

protected:
    ~CMessageHandler() = default;
};

class CViewWindow {
public:
    CViewWindow() = default;
    ~CViewWindow() { Destroy(); }
    CViewWindow(const CViewWindow&) = delete;
    CViewWindow& operator=(const CViewWindow&) = delete;

    struct Placement {
        HWND parent;
        RECT rect;
        UINT childId;
    };
    // A window of a class of the module's own: arrow cursor, COLOR_WINDOW + 1 background.
    bool CreateOwn(const std::string& className, UINT classStyle, DWORD style, const Placement& placement,
                   CMessageHandler* handler);
    // A common control whose messages reach the handler before the control's own procedure.
    bool CreateControl(const char* controlClass, DWORD style, const Placement& placement, CMessageHandler* handler);
    // The handler hears nothing more; the window is destroyed.
    void Destroy();

    HWND get() const { return m_window.get(); }
    explicit operator bool() const { return m_window.valid(); }

private:
    static LRESULT CALLBACK OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR handler);

    pv::UniqueWindow m_window;
    std::string m_ownClass;
    bool m_subclassed = false;
};

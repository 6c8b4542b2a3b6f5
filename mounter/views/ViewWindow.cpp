#include "ViewWindow.h"

#include "MounterGlobals.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

bool RegisterOwnClass(const std::string& name, UINT style) {
    WNDCLASSA windowClass = {};
    windowClass.style = style;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = mounter::ModuleInstance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name.c_str();
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

// The class is registered with DefWindowProc; each window gets the module's procedure at creation,
// so that a class left registered after the module went can never call into it.
bool CViewWindow::CreateOwn(const std::string& className, UINT classStyle, DWORD style, const Placement& placement,
                            CMessageHandler* handler) {
    Destroy();
    if (!RegisterOwnClass(className, classStyle)) return false;
    const RECT& r = placement.rect;
    m_window.reset(CreateWindowExA(0, className.c_str(), "", style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, placement.parent,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(placement.childId)),
                                   mounter::ModuleInstance(), nullptr));
    if (!m_window) return false;
    m_ownClass = className;
    SetWindowLongPtrA(get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handler));
    SetWindowLongPtrA(get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OwnWindowProc));
    return true;
}

bool CViewWindow::CreateControl(const char* controlClass, DWORD style, const Placement& placement,
                                CMessageHandler* handler) {
    Destroy();
    const RECT& r = placement.rect;
    m_window.reset(CreateWindowExA(0, controlClass, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   placement.parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(placement.childId)),
                                   mounter::ModuleInstance(), nullptr));
    if (!m_window) return false;
    m_subclassed = SetWindowSubclass(get(), ControlProc, kSubclassId, reinterpret_cast<DWORD_PTR>(handler));
    if (!m_subclassed) m_window.reset();
    return m_subclassed;
}

void CViewWindow::Destroy() {
    if (!m_window) return;
    if (m_subclassed) RemoveWindowSubclass(get(), ControlProc, kSubclassId);
    else {
        SetWindowLongPtrA(get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
        SetWindowLongPtrA(get(), GWLP_USERDATA, 0);
    }
    m_subclassed = false;
    m_window.reset();
    if (!m_ownClass.empty()) UnregisterClassA(m_ownClass.c_str(), mounter::ModuleInstance());   // fails while others live
    m_ownClass.clear();
}

LRESULT CALLBACK CViewWindow::OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* handler = reinterpret_cast<CMessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (handler && handler->OnMessage(window, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CViewWindow::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR handler) {
    LRESULT result = 0;
    if (handler && reinterpret_cast<CMessageHandler*>(handler)->OnMessage(window, message, wParam, lParam, &result))
        return result;
    return DefSubclassProc(window, message, wParam, lParam);
}

#include "HiddenWindow.h"

#include "MounterGlobals.h"

namespace {

constexpr char kClassName[] = "PV360_Mounter_Hidden";

bool RegisterHiddenClass() {
    WNDCLASSA existing;
    if (GetClassInfoA(mounter::ModuleInstance(), kClassName, &existing)) return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = mounter::ModuleInstance();
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

bool CMounterHiddenWnd::Create() {
    if (m_window) return true;
    if (!RegisterHiddenClass()) return false;
    m_window = CreateWindowExA(0, kClassName, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, mounter::ModuleInstance(),
                               nullptr);
    return m_window != nullptr;
}

void CMounterHiddenWnd::Destroy() {
    if (m_window) DestroyWindow(m_window);
    m_window = nullptr;
}

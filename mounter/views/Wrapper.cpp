#include "Wrapper.h"

#include "CameraTypes.h"
#include "MounterMessages.h"
#include "MounterViewSupport.h"
#include "ViewResources.h"

namespace {

constexpr DWORD kContainerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;

bool ForwardedToActiveView(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_SETFOCUS:
    case WM_ACTIVATE:
    case WM_CAMERA_CHANGED:
    case WM_CAMERA_KEEPALIVE: return true;
    default: return false;
    }
}

void ShowView(CMounterViewSupport* view, bool shown) {
    if (!view || !view->Window()) return;
    EnableWindow(view->Window(), shown);
    ShowWindow(view->Window(), shown ? SW_SHOW : SW_HIDE);
}

}  // namespace

bool CWrapper::Create(HWND owner, const RECT& rect) {
    return m_window.CreateOwn(mounter::LoadText(IDS_VIEW_CLASS), CS_PARENTDC, kContainerStyle, {owner, rect, 0}, this);
}

RECT CWrapper::ClientRect() const {
    RECT rect = {};
    GetClientRect(Window(), &rect);
    return rect;
}

void CWrapper::Show(CMounterViewSupport* view) {
    m_thumbActive = view != nullptr && view == m_thumbView;
    ShowView(m_thumbActive ? m_listView : m_thumbView, false);
    ShowView(view, true);
    if (view && view->Window()) SetFocus(view->Window());
    InvalidateRect(Window(), nullptr, TRUE);
}

CMounterViewSupport* CWrapper::ViewOfWindow(HWND window) const {
    for (CMounterViewSupport* view : {m_listView, m_thumbView})
        if (view && view->Window() == window) return view;
    return nullptr;
}

bool CWrapper::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_SIZE) {
        RECT client = ClientRect();
        for (CMounterViewSupport* view : {m_listView, m_thumbView})
            if (view && view->Window())
                MoveWindow(view->Window(), 0, 0, client.right, client.bottom, TRUE);
        return true;
    }
    // Notifications and owner-drawn items come back to the view that sent them.
    if (message == WM_NOTIFY || message == WM_DRAWITEM || message == WM_MEASUREITEM) {
        HWND from = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
        CMounterViewSupport* view = from ? ViewOfWindow(from) : Active();
        return view && view->OnContainerMessage(message, wParam, lParam, result);
    }
    CMounterViewSupport* view = Active();
    if (!view || !ForwardedToActiveView(message)) return false;
    if (message == WM_SETFOCUS) {
        if (view->Window()) SetFocus(view->Window());
        return true;
    }
    *result = SendMessageA(view->Window(), message, wParam, lParam);
    return true;
}

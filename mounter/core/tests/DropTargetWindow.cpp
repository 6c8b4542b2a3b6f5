#include "DropTargetWindow.h"

#include "TransferSupport.h"

namespace transfertest {

namespace {

constexpr char kTargetClass[] = "PvTransferDropTarget";

}  // namespace

STDMETHODIMP RecordingDropTarget::QueryInterface(REFIID iid, void** out) {
    *out = iid == IID_IUnknown || iid == IID_IDropTarget ? static_cast<IDropTarget*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP RecordingDropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP RecordingDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    *effect &= DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP RecordingDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    FORMATETC request = GlobalFormat(CF_HDROP);
    STGMEDIUM medium = {};
    dropped.emplace();
    if (data->GetData(&request, &medium) == S_OK) {
        *dropped = DroppedPaths(medium.hGlobal);
        ReleaseStgMedium(&medium);
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
}

TargetWindow::TargetWindow(IDropTarget* target) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kTargetClass;
    RegisterClassA(&windowClass);
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    m_window = CreateWindowExA(WS_EX_TOPMOST, kTargetClass, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                               nullptr, windowClass.hInstance, nullptr);
    m_registered = RegisterDragDrop(m_window, target);
    SetCursorPos(width / 2, height / 2);
}

TargetWindow::~TargetWindow() {
    RevokeDragDrop(m_window);
    DestroyWindow(m_window);
}

}  // namespace transfertest

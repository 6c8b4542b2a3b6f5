#include "ImageFileDropSource.h"

#include <new>

CImageFileDropSource* CImageFileDropSource::Create() { return new (std::nothrow) CImageFileDropSource; }

void CImageFileDropSource::BeginDrag() {
    m_dropped = false;
    bool right = GetKeyState(VK_RBUTTON) < 0 && GetKeyState(VK_LBUTTON) >= 0;
    m_dropButton = right ? MK_RBUTTON : MK_LBUTTON;
    m_cancelButton = right ? MK_LBUTTON : MK_RBUTTON;
}

STDMETHODIMP CImageFileDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed || (keyState & m_cancelButton)) return DRAGDROP_S_CANCEL;
    if (keyState & m_dropButton) return S_OK;
    m_dropped = true;
    return DRAGDROP_S_DROP;
}

STDMETHODIMP CImageFileDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

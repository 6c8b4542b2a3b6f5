#include "ImageFileDropSource.h"

#include "MounterGlobals.h"

#include <new>

CImageFileDropSource* CImageFileDropSource::Create() { return new (std::nothrow) CImageFileDropSource; }

CImageFileDropSource::CImageFileDropSource() { mounter::LockModule(); }

CImageFileDropSource::~CImageFileDropSource() { mounter::UnlockModule(); }

void CImageFileDropSource::BeginDrag() {
    m_dropped = false;
    bool right = GetKeyState(VK_RBUTTON) < 0 && GetKeyState(VK_LBUTTON) >= 0;
    m_dropButton = right ? MK_RBUTTON : MK_LBUTTON;
    m_cancelButton = right ? MK_LBUTTON : MK_RBUTTON;
}

STDMETHODIMP CImageFileDropSource::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDropSource) return E_NOINTERFACE;
    *out = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CImageFileDropSource::AddRef() { return InterlockedIncrement(&m_refs); }

STDMETHODIMP_(ULONG) CImageFileDropSource::Release() {
    ULONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return refs;
}

STDMETHODIMP CImageFileDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed || (keyState & m_cancelButton)) return DRAGDROP_S_CANCEL;
    if (keyState & m_dropButton) return S_OK;
    m_dropped = true;
    return DRAGDROP_S_DROP;
}

STDMETHODIMP CImageFileDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

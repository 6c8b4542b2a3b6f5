#include "ObjEnum.h"

HRESULT CCameraObjEnum::ResetState() {
    if (!m_folder->IsSessionOpen()) {
        m_next = kDone;
        return E_UNEXPECTED;
    }
    if (CameraQueryInternalMemory(m_folder->Session())) m_next = kInternalMemory;
    else m_next = m_folder->IsCardPresent(TRUE) ? kMemoryCard : kDone;
    return S_OK;
}

HRESULT CCameraObjEnum::NextItem(LPITEMIDLIST* item) {
    if (m_next == kDone) return S_FALSE;
    bool internal = m_next == kInternalMemory;
    *item = itemid::MakeMemory(internal ? MntCameraMemory : MntMemoryCard);
    if (!*item) return E_OUTOFMEMORY;
    m_next = internal && m_folder->IsCardPresent(TRUE) ? kMemoryCard : kDone;
    return S_OK;
}

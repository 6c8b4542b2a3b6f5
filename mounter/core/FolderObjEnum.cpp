#include "ObjEnum.h"

#include "MounterException.h"

#include <utility>

CFolderObjEnum::CFolderObjEnum(CMounterNameSpaceFolder* folder, SHCONTF flags)
    : m_folder(pv::ComPtr<CMounterNameSpaceFolder>::share(folder)), m_flags(flags) {}

CFolderObjEnum::~CFolderObjEnum() {
    if (m_folder && m_openedSession) m_folder->CloseCamera();
}

void CFolderObjEnum::Construct() {
    if (!m_folder) {
        m_constructResult = E_UNEXPECTED;
        return;
    }
    try {
        if (!m_folder->IsSessionOpen()) {
            int connected = m_folder->ConnectCamera(1, nullptr);
            if (connected < 0) m_constructResult = connected;
            else m_openedSession = true;
        }
        if (SUCCEEDED(m_constructResult)) {
            HRESULT reset = Reset();
            if (FAILED(reset)) m_constructResult = reset;
        }
    } catch (...) {
        m_constructResult = E_UNEXPECTED;
    }
}

STDMETHODIMP CFolderObjEnum::Reset() {
    if (!m_folder) return E_UNEXPECTED;
    if (FAILED(m_constructResult)) return m_constructResult;
    try {
        return ResetState();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CFolderObjEnum::Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) {
    if (fetched) *fetched = 0;
    if (FAILED(m_constructResult)) return m_constructResult;
    if (Done()) return S_FALSE;
    if ((!fetched && count != 1) || !items || count == 0) return E_INVALIDARG;
    ULONG stored = 0;
    HRESULT hr = S_OK;
    try {
        while (stored < count && (hr = NextItem(&items[stored])) == S_OK) ++stored;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        // A failing call hands out nothing: the items it already made go back.
        for (ULONG i = 0; i < stored; ++i) itemid::OwnedList discarded(std::exchange(items[i], nullptr));
        return hr;
    }
    if (fetched) *fetched = stored;
    if (hr == S_FALSE && stored > 0) return S_OK;
    return hr;
}

HRESULT HandOutEnumerator(CFolderObjEnum* created, IEnumIDList** out) {
    auto enumerator = pv::ComPtr<CFolderObjEnum>::attach(created);
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (!enumerator) return E_OUTOFMEMORY;
    return enumerator->QueryInterface(IID_IEnumIDList, reinterpret_cast<void**>(out));
}

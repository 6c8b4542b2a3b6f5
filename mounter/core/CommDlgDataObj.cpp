#include "CommDlgDataObj.h"

#include "DragFormats.h"

#include <new>
#include <vector>

CCommDlgDataObj* CCommDlgDataObj::Create(const CMounterViewSelection* view) {
    return new (std::nothrow) CCommDlgDataObj(view);
}

STDMETHODIMP CCommDlgDataObj::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium) return E_INVALIDARG;
    if (format->cfFormat != dragformat::ShellIdList()) return DV_E_FORMATETC;
    if (!m_view) return E_UNEXPECTED;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    HGLOBAL block = nullptr;
    HRESULT hr = MakeIdListArray(&block);
    if (FAILED(hr)) return hr;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT CCommDlgDataObj::MakeIdListArray(HGLOBAL* block) const {
    try {
        LPCITEMIDLIST folder = m_view->FolderIdList();
        if (!folder) return E_UNEXPECTED;
        std::vector<LPCITEMIDLIST> items;
        for (UINT i = 0; i < m_view->SelectedCount(); ++i) {
            LPCITEMIDLIST item = m_view->SelectedItem(i);
            if (!item) return E_UNEXPECTED;
            items.push_back(item);
        }
        *block = dragformat::CopyToGlobal(dragformat::MakeIdListArray(folder, items));
    } catch (const std::bad_alloc&) {
        *block = nullptr;
    }
    return *block ? S_OK : STG_E_MEDIUMFULL;
}

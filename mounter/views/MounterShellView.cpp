// COM identity of the shell view, and the IShellView operations that only read or hand out state.
#include "MounterShellView.h"

#include "CommDlgDataObj.h"
#include "MounterViewSupport.h"
#include "OleException.h"

#include <commctrl.h>

CMounterShellView::CMounterShellView(CMounterNameSpaceFolder* folder, HWND owner, const CLSID& folderClass)
    : m_state(MounterViewState::Defaults(folderClass)),
      m_folderClass(folderClass),
      m_folder(pv::ComPtr<CMounterNameSpaceFolder>::share(folder)),
      m_owner(owner) {}

CMounterShellView::~CMounterShellView() {
    DestroyViews();
    LetGoOfFileDialog();
}

STDMETHODIMP CMounterShellView::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IShellView) return E_NOINTERFACE;
    *out = static_cast<IShellView*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CMounterShellView::AddRef() { return InterlockedIncrement(&m_refs); }

STDMETHODIMP_(ULONG) CMounterShellView::Release() {
    ULONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return refs;
}

STDMETHODIMP CMounterShellView::GetCurrentInfo(LPFOLDERSETTINGS settings) {
    return ViewGuard([&] {
        if (!settings) return E_INVALIDARG;
        settings->ViewMode = m_state.viewMode;
        settings->fFlags = m_state.folderFlags;
        if (m_activeView && m_folder->IsSessionOpen()) RestartIdleTimer(false);
        return S_OK;
    });
}

void CMounterShellView::SaveColumnWidths() {
    if (!m_listView || !m_listView->Window()) return;
    for (int column = 0; column < 4; ++column)
        m_state.columnWidths[column] =
            static_cast<LONG>(SendMessageA(m_listView->Window(), LVM_GETCOLUMNWIDTH, column, 0));
}

STDMETHODIMP CMounterShellView::SaveViewState() {
    return ViewGuard([&] {
        if (!m_activeView || !m_browser) return E_UNEXPECTED;
        if (m_listView && m_state.viewMode == FVM_DETAILS && !m_state.thumbnails) SaveColumnWidths();
        pv::ComPtr<IStream> stream;
        HRESULT hr = m_browser->GetViewStateStream(STGM_WRITE, stream.put());
        if (SUCCEEDED(hr)) hr = WriteViewState(stream.get(), m_state) ? S_OK : E_FAIL;
        if (m_folder->IsSessionOpen()) RestartIdleTimer(false);
        return hr;
    });
}

STDMETHODIMP CMounterShellView::GetItemObject(UINT which, REFIID iid, void** out) {
    return ViewGuard([&]() -> HRESULT {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        StopIdleTimer();
        HRESULT hr = E_NOTIMPL;
        if (which == SVGIO_BACKGROUND && iid == IID_IContextMenu) {
            pv::ComPtr<IShellExtInit> init;
            hr = m_folder->QueryInterface(IID_IShellExtInit, init.putVoid());
            if (SUCCEEDED(hr)) hr = init->Initialize(m_folder->IdList(), nullptr, nullptr);
            if (SUCCEEDED(hr)) hr = init->QueryInterface(iid, out);
        } else if (which == SVGIO_SELECTION && iid == IID_IDataObject) {
            CCommDlgDataObj* data = CCommDlgDataObj::Create(this);
            *out = static_cast<IDataObject*>(data);
            hr = data ? S_OK : E_OUTOFMEMORY;
        } else if (which == SVGIO_BACKGROUND || which == SVGIO_SELECTION) {
            hr = E_UNEXPECTED;
        }
        if (m_activeView && m_folder->IsSessionOpen()) RestartIdleTimer(false);
        return hr;
    });
}

UINT CMounterShellView::SelectedCount() const {
    return m_activeView ? static_cast<UINT>(m_activeView->SelectedItems().size()) : 0;
}

LPCITEMIDLIST CMounterShellView::SelectedItem(UINT index) const {
    if (!m_activeView) return nullptr;
    std::vector<LPCITEMIDLIST> selected = m_activeView->SelectedItems();
    return index < selected.size() ? selected[index] : nullptr;
}

CMounterViewSupport* CMounterShellView::OtherView() const {
    CMounterViewSupport* other = m_activeView == m_listView.get() ? m_thumbView.get() : m_listView.get();
    return other && other != m_activeView ? other : nullptr;
}

std::unique_ptr<CMounterViewSupport> CMounterShellView::CreateThumbnailView(CWrapper*) { return nullptr; }

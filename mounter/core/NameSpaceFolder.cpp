// Construction, release and COM identity of the folder objects, and the base class's own answers.
#include "MounterNameSpaceFolder.h"

#include "AlbumNameTable.h"
#include "MounterGlobals.h"
#include "pvhost.h"

CMounterNameSpaceFolder::CMounterNameSpaceFolder(const CLSID& clsid) : m_clsid(clsid) {
    mounter::LockModule();
    m_oleInitialized = SUCCEEDED(OleInitialize(nullptr));
    m_xPersistFolder.m_pThis = this;
    m_xShellFolder.m_pThis = this;
    m_xContextMenu.m_pThis = this;
    m_xShellExtInit.m_pThis = this;
    m_xExtractIconA.m_pThis = this;
    ReadConnectionSettings(&m_port, &m_speed);
}

CMounterNameSpaceFolder::~CMounterNameSpaceFolder() {
    itemid::Free(m_idList);
    if (m_session) DestroyCamera(m_session);
    m_session = nullptr;
    m_connected = 0;
    itemid::Free(m_extIdList);
    if (m_extData) m_extData->Release();
    m_albumNames.reset();
    if (m_oleInitialized) OleUninitialize();
    mounter::UnlockModule();
}

HRESULT CMounterNameSpaceFolder::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IShellFolder) *out = &m_xShellFolder;
    else if (iid == IID_IPersist || iid == IID_IPersistFolder || iid == IID_IPersistFolder2)
        *out = &m_xPersistFolder;
    else if (iid == IID_IContextMenu) *out = &m_xContextMenu;
    else if (iid == IID_IShellExtInit) *out = &m_xShellExtInit;
    else if (iid == IID_IExtractIconA) *out = &m_xExtractIconA;
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CMounterNameSpaceFolder::AddRef() { return InterlockedIncrement(&m_refs); }

ULONG CMounterNameSpaceFolder::Release() {
    ULONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return refs;
}

HRESULT CMounterNameSpaceFolder::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

HRESULT CMounterNameSpaceFolder::GetCommandString(UINT_PTR, UINT, UINT*, LPSTR, UINT) { return E_NOTIMPL; }

HRESULT CMounterNameSpaceFolder::ShellExtInitialize(LPCITEMIDLIST folder, IDataObject* data, HKEY key) {
    itemid::Free(m_extIdList);
    m_extIdList = folder ? itemid::Clone(folder) : nullptr;
    if (m_extData) m_extData->Release();
    m_extData = data;
    if (m_extData) m_extData->AddRef();
    m_extInitialized = 1;
    m_extKey = key;
    return S_OK;
}

HRESULT CMounterNameSpaceFolder::Extract(LPCSTR, UINT, HICON*, HICON*, UINT) { return S_FALSE; }

HRESULT CMounterNameSpaceFolder::ParseDisplayName(HWND, LPBC, LPOLESTR, ULONG*, LPITEMIDLIST*, ULONG*) {
    return E_NOTIMPL;
}

HRESULT CMounterNameSpaceFolder::BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void**) { return E_NOTIMPL; }

// The folders' shell views belong to the view library; until a folder class has one, the shell shows
// the folder through its enumeration only.
HRESULT CMounterNameSpaceFolder::CreateViewObject(HWND, REFIID, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    return E_NOTIMPL;
}

HRESULT CMounterNameSpaceFolder::SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST*) {
    return E_NOTIMPL;
}

HRESULT CMounterNameSpaceFolder::CreateChild(REFCLSID clsid, LPCITEMIDLIST pidl, REFIID iid, void** out) {
    *out = nullptr;
    IPersistFolder* persist = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFolder,
                                  reinterpret_cast<void**>(&persist));
    if (FAILED(hr)) return hr;
    LPITEMIDLIST full = itemid::Append(m_idList, pidl);
    hr = full ? persist->Initialize(full) : E_OUTOFMEMORY;
    itemid::Free(full);
    if (SUCCEEDED(hr)) hr = persist->QueryInterface(iid, out);
    persist->Release();
    return hr;
}

HRESULT CMounterNameSpaceFolder::CreateChildForMenu(REFCLSID clsid, LPCITEMIDLIST item, REFIID iid, void** out) {
    IShellExtInit* init = nullptr;
    HRESULT hr = CreateChild(clsid, item, IID_IShellExtInit, reinterpret_cast<void**>(&init));
    if (FAILED(hr)) return hr;
    hr = init->Initialize(item, nullptr, nullptr);
    if (SUCCEEDED(hr)) hr = init->QueryInterface(iid, out);
    init->Release();
    return hr;
}

HRESULT CMounterNameSpaceFolder::CheckUIObjectArguments(UINT count, LPCITEMIDLIST* items, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    return count == 1 && items && items[0] ? S_OK : E_INVALIDARG;
}

// Construction, release and COM identity of the folder objects, and the base class's own answers.
#include "MounterNameSpaceFolder.h"

#include "AlbumNameTable.h"
#include "MounterGlobals.h"
#include "ShellViewFactory.h"
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

// The members go before OLE is uninitialised: the session, the identifier lists, the data object.
CMounterNameSpaceFolder::~CMounterNameSpaceFolder() {
    m_session.reset();
    m_idList.reset();
    m_extIdList.reset();
    m_extData.reset();
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
    m_extIdList.reset(folder ? itemid::Clone(folder) : nullptr);
    m_extData = pv::ComPtr<IDataObject>::share(data);
    m_extInitialized = 1;
    m_extKey = key;
    return S_OK;
}

HRESULT CMounterNameSpaceFolder::Extract(LPCSTR, UINT, HICON*, HICON*, UINT) { return S_FALSE; }

HRESULT CMounterNameSpaceFolder::ParseDisplayName(HWND, LPBC, LPOLESTR, ULONG*, LPITEMIDLIST*, ULONG*) {
    return E_NOTIMPL;
}

HRESULT CMounterNameSpaceFolder::BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void**) { return E_NOTIMPL; }

HRESULT CMounterNameSpaceFolder::CreateViewObject(HWND owner, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (iid != IID_IShellView) return E_NOTIMPL;
    return CreateMounterShellView(this, owner, m_clsid, out);
}

HRESULT CMounterNameSpaceFolder::SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST*) {
    return E_NOTIMPL;
}

HRESULT CMounterNameSpaceFolder::CreateChild(REFCLSID clsid, LPCITEMIDLIST pidl, REFIID iid, void** out) {
    *out = nullptr;
    pv::ComPtr<IPersistFolder> persist;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFolder, persist.putVoid());
    if (FAILED(hr)) return hr;
    itemid::OwnedList full(itemid::Append(m_idList.get(), pidl));
    hr = full ? persist->Initialize(full.get()) : E_OUTOFMEMORY;
    if (SUCCEEDED(hr)) hr = persist->QueryInterface(iid, out);
    return hr;
}

HRESULT CMounterNameSpaceFolder::BindThroughChild(REFCLSID clsid, LPCITEMIDLIST pidl, REFIID iid, void** out) {
    *out = nullptr;
    itemid::OwnedList first(itemid::CloneFirst(pidl));
    if (!first) return E_OUTOFMEMORY;
    pv::ComPtr<IShellFolder> child;
    HRESULT hr = CreateChild(clsid, first.get(), IID_IShellFolder, child.putVoid());
    if (FAILED(hr)) return hr;
    LPCITEMIDLIST rest = itemid::Next(pidl);
    if (rest->mkid.cb) return child->BindToObject(rest, nullptr, iid, out);
    return child->QueryInterface(iid, out);
}

HRESULT CMounterNameSpaceFolder::CreateChildForMenu(REFCLSID clsid, LPCITEMIDLIST item, REFIID iid, void** out) {
    pv::ComPtr<IShellExtInit> init;
    HRESULT hr = CreateChild(clsid, item, IID_IShellExtInit, init.putVoid());
    if (FAILED(hr)) return hr;
    hr = init->Initialize(item, nullptr, nullptr);
    if (SUCCEEDED(hr)) hr = init->QueryInterface(iid, out);
    return hr;
}

HRESULT CMounterNameSpaceFolder::CheckUIObjectArguments(UINT count, LPCITEMIDLIST* items, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    return count == 1 && items && items[0] ? S_OK : E_INVALIDARG;
}

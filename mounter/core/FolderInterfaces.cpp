// The nested interface parts of a folder object: each method passes its arguments to the object's
// virtual operation of the same name.
#include "ComGuard.h"
#include "MounterNameSpaceFolder.h"

// IPersistFolder2
STDMETHODIMP CMounterNameSpaceFolder::XPersistFolder::GetClassID(CLSID* clsid) {
    return ComGuard([&] { return m_pThis->GetClassID(clsid); });
}
STDMETHODIMP CMounterNameSpaceFolder::XPersistFolder::Initialize(LPCITEMIDLIST pidl) {
    return ComGuard([&] { return m_pThis->PersistInitialize(pidl); });
}
STDMETHODIMP CMounterNameSpaceFolder::XPersistFolder::GetCurFolder(LPITEMIDLIST* pidl) {
    return ComGuard([&] {
        if (!pidl) return E_POINTER;
        *pidl = m_pThis->IdList() ? itemid::Clone(m_pThis->IdList()) : nullptr;
        return *pidl ? S_OK : S_FALSE;
    });
}

// IShellFolder
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::ParseDisplayName(HWND owner, LPBC context, LPOLESTR name,
                                                                     ULONG* eaten, LPITEMIDLIST* pidl,
                                                                     ULONG* attributes) {
    return ComGuard([&] { return m_pThis->ParseDisplayName(owner, context, name, eaten, pidl, attributes); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) {
    return ComGuard([&] { return m_pThis->EnumObjects(owner, flags, out); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::BindToObject(LPCITEMIDLIST pidl, LPBC context, REFIID iid,
                                                                 void** out) {
    return ComGuard([&] { return m_pThis->BindToObject(pidl, context, iid, out); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::BindToStorage(LPCITEMIDLIST pidl, LPBC context, REFIID iid,
                                                                  void** out) {
    return ComGuard([&] { return m_pThis->BindToStorage(pidl, context, iid, out); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    return ComGuard([&] { return m_pThis->CompareIDs(column, a, b); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::CreateViewObject(HWND owner, REFIID iid, void** out) {
    return ComGuard([&] { return m_pThis->CreateViewObject(owner, iid, out); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::GetAttributesOf(UINT count, LPCITEMIDLIST* items,
                                                                    SFGAOF* inOut) {
    return ComGuard([&] { return m_pThis->GetAttributesOf(count, items, inOut); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* items,
                                                                  REFIID iid, UINT* reserved, void** out) {
    return ComGuard([&] { return m_pThis->GetUIObjectOf(owner, count, items, iid, reserved, out); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF flags,
                                                                     STRRET* name) {
    return ComGuard([&] { return m_pThis->GetDisplayNameOf(pidl, flags, name); });
}
STDMETHODIMP CMounterNameSpaceFolder::XShellFolder::SetNameOf(HWND owner, LPCITEMIDLIST pidl, LPCOLESTR name,
                                                              SHGDNF flags, LPITEMIDLIST* out) {
    return ComGuard([&] { return m_pThis->SetNameOf(owner, pidl, name, flags, out); });
}

// IContextMenu
STDMETHODIMP CMounterNameSpaceFolder::XContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT firstId,
                                                                     UINT lastId, UINT flags) {
    return ComGuard([&] { return m_pThis->QueryContextMenu(menu, index, firstId, lastId, flags); });
}
STDMETHODIMP CMounterNameSpaceFolder::XContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    return ComGuard([&] { return m_pThis->InvokeCommand(info); });
}
STDMETHODIMP CMounterNameSpaceFolder::XContextMenu::GetCommandString(UINT_PTR command, UINT type, UINT* reserved,
                                                                     LPSTR name, UINT size) {
    return ComGuard([&] { return m_pThis->GetCommandString(command, type, reserved, name, size); });
}

// IShellExtInit
STDMETHODIMP CMounterNameSpaceFolder::XShellExtInit::Initialize(LPCITEMIDLIST folder, IDataObject* data,
                                                                HKEY key) {
    return ComGuard([&] { return m_pThis->ShellExtInitialize(folder, data, key); });
}

// IExtractIconA
STDMETHODIMP CMounterNameSpaceFolder::XExtractIconA::GetIconLocation(UINT flags, LPSTR file, UINT size,
                                                                     int* index, UINT* outFlags) {
    return ComGuard([&] { return m_pThis->GetIconLocation(flags, file, size, index, outFlags); });
}
STDMETHODIMP CMounterNameSpaceFolder::XExtractIconA::Extract(LPCSTR file, UINT index, HICON* large,
                                                             HICON* small, UINT sizes) {
    return ComGuard([&] { return m_pThis->Extract(file, index, large, small, sizes); });
}

#include "Memory.h"

#include "InfoSheets.h"
#include "MounterClasses.h"
#include "MounterResources.h"
#include "ObjEnum.h"

namespace {

constexpr SFGAOF kAlbumAttributes = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_CANCOPY;
constexpr SFGAOF kFileAttributes = SFGAO_FILESYSTEM | SFGAO_CANCOPY;

}  // namespace

HRESULT CMemory::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT) {
    return InsertMenuEntries(IDM_CTX_MEMORY, ID_MEMORY_PROPERTIES, menu, index, firstId, lastId);
}

HRESULT CMemory::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info || !IS_INTRESOURCE(info->lpVerb) || LOWORD(info->lpVerb) != 0) return E_NOTIMPL;
    DWORD type = itemid::TypeOf(itemid::Last(ExtensionIdList()));
    m_memorySheetAnswered = TryCameraOnce();
    ShowMemoryPropertySheet(this, info->hwnd, type);
    return S_OK;
}

HRESULT CMemory::GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) {
    int icon = FolderKind() == MntCameraMemory ? 1 : FolderKind() == MntMemoryCard ? 2 : -1;
    return IconLocation(icon, flags, file, size, index, outFlags);
}

HRESULT CMemory::EnumObjects(HWND, SHCONTF flags, IEnumIDList** out) {
    return HandOutEnumerator(CMemoryObjEnum::Create(this, flags), out);
}

HRESULT CMemory::BindToObject(LPCITEMIDLIST pidl, LPBC, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (iid != IID_IShellFolder) return E_NOINTERFACE;
    if (itemid::Count(pidl) < 1) return E_INVALIDARG;
    return BindThroughChild(CLSID_PV360Album, pidl, iid, out);
}

HRESULT CMemory::GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) {
    if (!inOut || count == 0 || !items) return E_INVALIDARG;
    switch (itemid::TypeOf(items[0])) {
    case MntAlbum: *inOut &= kAlbumAttributes; break;
    case MntPictureFile:
    case MntOtherFile: *inOut &= kFileAttributes; break;
    default: *inOut = 0; break;
    }
    return S_OK;
}

HRESULT CMemory::GetUIObjectOf(HWND, UINT count, LPCITEMIDLIST* items, REFIID iid, UINT*, void** out) {
    if (HRESULT hr = CheckUIObjectArguments(count, items, out); FAILED(hr)) return hr;
    DWORD type = itemid::TypeOf(items[0]);
    if (type != MntAlbum && type != MntPictureFile && type != MntOtherFile) return E_INVALIDARG;
    if (iid == IID_IExtractIconA) return CreateChild(CLSID_PV360Album, items[0], iid, out);
    if (iid == IID_IContextMenu) return CreateChildForMenu(CLSID_PV360Album, items[0], iid, out);
    if (iid == IID_IDataObject) return E_NOTIMPL;
    return E_INVALIDARG;
}

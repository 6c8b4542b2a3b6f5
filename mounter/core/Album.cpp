#include "Album.h"

#include "InfoSheets.h"
#include "MounterResources.h"
#include "ObjEnum.h"

namespace {

constexpr SFGAOF kFileAttributes = SFGAO_FILESYSTEM | SFGAO_CANCOPY;
constexpr int kAlbumIcon = 3;

}  // namespace

HRESULT CAlbum::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT) {
    return InsertMenuEntries(IDM_CTX_ALBUM, ID_ALBUM_PROPERTIES, menu, index, firstId, lastId);
}

HRESULT CAlbum::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info || !IS_INTRESOURCE(info->lpVerb) || LOWORD(info->lpVerb) != 0) return E_NOTIMPL;
    m_albumSheetAnswered = TryCameraOnce();
    ShowAlbumPropertySheet(this, info->hwnd);
    return S_OK;
}

HRESULT CAlbum::GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) {
    return IconLocation(kAlbumIcon, flags, file, size, index, outFlags);
}

HRESULT CAlbum::EnumObjects(HWND, SHCONTF flags, IEnumIDList** out) {
    return HandOutEnumerator(CAlbumObjEnum::Create(this, flags), out);
}

HRESULT CAlbum::BindToObject(LPCITEMIDLIST, LPBC, REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT CAlbum::GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) {
    if (!inOut || count == 0 || !items) return E_INVALIDARG;
    DWORD type = itemid::TypeOf(items[0]);
    *inOut &= type == MntPictureFile || type == MntOtherFile ? kFileAttributes : 0;
    return S_OK;
}

HRESULT CAlbum::GetUIObjectOf(HWND, UINT count, LPCITEMIDLIST* items, REFIID iid, UINT*, void** out) {
    if (HRESULT hr = CheckUIObjectArguments(count, items, out); FAILED(hr)) return hr;
    DWORD type = itemid::TypeOf(items[0]);
    if (type != MntPictureFile && type != MntOtherFile) return E_INVALIDARG;
    if (iid == IID_IExtractIconA) return QueryInterface(iid, out);
    // Files open through the views' own commands; no object is handed out for them here.
    if (iid == IID_IContextMenu || iid == IID_IDataObject) return E_NOTIMPL;
    return E_INVALIDARG;
}

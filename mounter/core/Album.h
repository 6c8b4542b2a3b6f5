// An album folder, listing the album's files; it also serves the icons of files.
#pragma once

#include "MounterClasses.h"
#include "MounterNameSpaceFolder.h"

class CAlbum : public CMounterNameSpaceFolder {
public:
    static CMounterNameSpaceFolder* CreateObject() { return new CAlbum; }

    HRESULT QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    HRESULT InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    HRESULT GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) override;
    HRESULT EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) override;
    HRESULT BindToObject(LPCITEMIDLIST pidl, LPBC context, REFIID iid, void** out) override;
    HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) override;
    HRESULT GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* items, REFIID iid, UINT* reserved,
                          void** out) override;

private:
    CAlbum() : CMounterNameSpaceFolder(CLSID_PV360Album) {}
};

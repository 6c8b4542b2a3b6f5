// The camera folder: the namespace junction under My Computer, listing the camera's memories.
#pragma once

#include "MounterClasses.h"
#include "MounterNameSpaceFolder.h"

class CCamera : public CMounterNameSpaceFolder {
public:
    static CMounterNameSpaceFolder* CreateObject() { return new CCamera; }

    HRESULT QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    HRESULT InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    HRESULT GetCommandString(UINT_PTR command, UINT type, UINT* reserved, LPSTR name, UINT size) override;
    HRESULT GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) override;
    HRESULT EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) override;
    HRESULT BindToObject(LPCITEMIDLIST pidl, LPBC context, REFIID iid, void** out) override;
    HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) override;
    HRESULT GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* items, REFIID iid, UINT* reserved,
                          void** out) override;

private:
    CCamera() : CMounterNameSpaceFolder(CLSID_PV360Camera) {}
    // Connects (asking for other serial settings between tries) and shows the camera's sheet.
    void ShowCameraSheet(HWND owner);
};

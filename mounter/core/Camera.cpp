#include "Camera.h"

#include "CameraSheet.h"
#include "DialogSupport.h"
#include "HiddenWindow.h"
#include "MounterClasses.h"
#include "MounterException.h"
#include "MounterResources.h"
#include "MounterMessages.h"
#include "ObjEnum.h"
#include "SerialConfigDialog.h"
#include "TextBuffer.h"

namespace {

constexpr SFGAOF kCameraAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
constexpr SFGAOF kMemoryItemAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER;
constexpr UINT kCameraPropertiesOffset = 0;
constexpr UINT kConfigureOffset = 1;

}  // namespace

HRESULT CCamera::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT) {
    return InsertMenuEntries(IDM_CAMERA_CTX, 0, menu, index, firstId, lastId);
}

HRESULT CCamera::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info || !IS_INTRESOURCE(info->lpVerb)) return E_NOTIMPL;
    switch (LOWORD(info->lpVerb)) {
    case kCameraPropertiesOffset: ShowCameraSheet(info->hwnd); return S_OK;
    case kConfigureOffset: RunSerialConfigLoop(this, info->hwnd); return S_OK;
    default: return E_NOTIMPL;
    }
}

void CCamera::ShowCameraSheet(HWND owner) {
    CMounterHiddenWnd frame;
    frame.Create();
    for (;;) {
        {
            mounter::WaitCursor wait;
            if (IsSessionOpen()) {
                RefreshCameraStatus();
            } else {
                try {
                    ConnectCamera(1, frame.Window());
                } catch (const MounterException&) {
                    // Not connected: the user is asked for other serial settings below.
                }
            }
        }
        if (IsSessionOpen()) break;
        if (RunSerialConfigLoop(this, owner) != IDOK) return;
    }
    ShowCameraPropertySheet(this, frame.Window() ? frame.Window() : owner);
}

HRESULT CCamera::GetCommandString(UINT_PTR command, UINT type, UINT*, LPSTR name, UINT size) {
    if (command != kCameraPropertiesOffset && command != kConfigureOffset) return E_NOTIMPL;
    UINT text = command == kCameraPropertiesOffset ? IDS_HELP_CAMERA_PROPERTIES : IDS_HELP_CONFIGURE_COMMS;
    if (type == GCS_HELPTEXTA) {
        pvtext::copyCut(name, size, mounter::LoadText(text).c_str());
        return S_OK;
    }
    if (type == GCS_HELPTEXTW) {
        if (name) ZeroMemory(name, size * sizeof(WCHAR));
        return S_OK;
    }
    return E_NOTIMPL;
}

HRESULT CCamera::GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) {
    return IconLocation(0, flags, file, size, index, outFlags);
}

HRESULT CCamera::EnumObjects(HWND, SHCONTF flags, IEnumIDList** out) {
    return HandOutEnumerator(CCameraObjEnum::Create(this, flags), out);
}

HRESULT CCamera::BindToObject(LPCITEMIDLIST pidl, LPBC, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (iid != IID_IShellFolder) return E_NOINTERFACE;
    int items = itemid::Count(pidl);
    if (items < 1 || items > 2) return E_INVALIDARG;
    HRESULT initialized = CoInitialize(nullptr);
    HRESULT hr = BindThroughChild(CLSID_PV360Memory, pidl, iid, out);
    if (SUCCEEDED(initialized)) CoUninitialize();
    return hr;
}

HRESULT CCamera::GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) {
    if (!inOut || count == 0 || !items) return E_INVALIDARG;
    switch (itemid::TypeOf(items[0])) {
    case MntCamera: *inOut &= kCameraAttributes; return S_OK;
    case MntCameraMemory:
    case MntMemoryCard: *inOut &= kMemoryItemAttributes; return S_OK;
    default: *inOut = 0; return E_FAIL;
    }
}

HRESULT CCamera::GetUIObjectOf(HWND, UINT count, LPCITEMIDLIST* items, REFIID iid, UINT*, void** out) {
    if (HRESULT hr = CheckUIObjectArguments(count, items, out); FAILED(hr)) return hr;
    DWORD type = itemid::TypeOf(items[0]);
    if (type != MntCameraMemory && type != MntMemoryCard) return E_INVALIDARG;
    if (iid == IID_IExtractIconA) return CreateChild(CLSID_PV360Memory, items[0], iid, out);
    if (iid == IID_IContextMenu) return CreateChildForMenu(CLSID_PV360Memory, items[0], iid, out);
    if (iid == IID_IDataObject) return E_NOTIMPL;
    return E_INVALIDARG;
}

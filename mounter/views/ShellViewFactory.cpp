#include "ShellViewFactory.h"

#include "AlbumShellView.h"
#include "CameraShellView.h"
#include "MemoryShellView.h"
#include "MounterClasses.h"

#include <new>

HRESULT CreateMounterShellView(CMounterNameSpaceFolder* folder, HWND owner, const CLSID& folderClass, void** out) {
    CMounterShellView* view = nullptr;
    if (IsEqualCLSID(folderClass, CLSID_PV360Camera)) view = new (std::nothrow) CCameraShellView(folder, owner);
    else if (IsEqualCLSID(folderClass, CLSID_PV360Memory)) view = new (std::nothrow) CMemoryShellView(folder, owner);
    else if (IsEqualCLSID(folderClass, CLSID_PV360Album)) view = new (std::nothrow) CAlbumShellView(folder, owner);
    else return E_NOTIMPL;
    if (!view) return E_OUTOFMEMORY;
    HRESULT hr = view->QueryInterface(IID_IShellView, out);
    view->Release();
    return hr;
}

// What the folders share for their user-interface objects: icon locations, context-menu entries and
// the picture file sheet that the views open.
#include "MounterNameSpaceFolder.h"

#include "InfoSheets.h"
#include "MounterException.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "RegKey.h"
#include "TextBuffer.h"
#include "UserObject.h"


namespace {

constexpr char kDefaultIconKey[] = "CLSID\\{a84c0500-b187-11d0-8ae7-00c04fd28d85}\\DefaultIcon";
constexpr char kIconFileName[] = "pvmount.DLL";

// The directory of the camera class's registered default icon, with its final "\".
bool IconDirectory(std::string* directory) {
    std::optional<std::string> value = pv::RegKey::open(HKEY_CLASSES_ROOT, kDefaultIconKey).string(nullptr);
    if (!value) return false;
    const std::string& path = *value;
    size_t slash = path.rfind('\\');
    *directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return true;
}

}  // namespace

HRESULT CMounterNameSpaceFolder::IconLocation(int iconIndex, UINT flags, LPSTR file, UINT size, int* index,
                                              UINT* outFlags) {
    if (outFlags) *outFlags = 0;
    if (index) *index = 0;
    pvtext::copyCut(file, size, "");
    std::string directory;
    if (flags == 0 || flags > 3 || iconIndex < 0 || !IconDirectory(&directory)) return S_FALSE;
    pvtext::copyCut(file, size, (directory + kIconFileName).c_str());
    if (index) *index = iconIndex;
    return S_OK;
}

HRESULT CMounterNameSpaceFolder::InsertMenuEntries(UINT menuResource, UINT onlyCommand, HMENU menu, UINT index,
                                                   UINT firstId, UINT lastId) {
    pv::UniqueMenu resource(LoadMenuA(mounter::ModuleInstance(), MAKEINTRESOURCEA(menuResource)));
    HMENU popup = resource ? GetSubMenu(resource.get(), 0) : nullptr;
    int entries = popup ? GetMenuItemCount(popup) : 0;
    UINT offset = 0;
    for (int i = 0; i < entries; ++i) {
        UINT command = GetMenuItemID(popup, i);
        if (command == 0) {   // separator
            if (!onlyCommand) InsertMenuA(menu, index++, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (onlyCommand && command != onlyCommand) continue;
        char text[128];
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        if (firstId + offset < lastId)
            InsertMenuA(menu, index++, MF_BYPOSITION | MF_STRING, firstId + offset, text);
        ++offset;
    }
    UINT inserted = onlyCommand ? offset : static_cast<UINT>(entries);
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_ITF, inserted);
}

void CMounterNameSpaceFolder::ShowPictureProperties(HWND owner, LPCITEMIDLIST picture) {
    m_pictureSheetAnswered = TryCameraOnce();
    ShowPictureFilePropertySheet(this, owner, picture);
}

int CMounterNameSpaceFolder::TryCameraOnce() {
    try {
        if (IsSessionOpen()) return RefreshCameraStatus() == 0 ? 1 : 0;
        return ConnectCamera(1, nullptr) == 0 ? 1 : 0;
    } catch (const MounterException&) {
        return 0;
    }
}

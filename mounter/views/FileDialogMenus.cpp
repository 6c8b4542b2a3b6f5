#include "FileDialogMenus.h"

#include "MounterResources.h"
#include "ViewResources.h"

namespace {

struct KeptEntry {
    UINT menu;
    UINT command;
};

constexpr KeptEntry kKeptEntries[] = {
    {IDM_CTX_MEMORY, ID_MEMORY_PROPERTIES},
    {IDM_CTX_CAMERA_WND, ID_CAMERA_FOLDER_PROPERTIES},
    {IDM_CTX_MEMORY_WND, ID_MEMORY_FOLDER_PROPERTIES},
    {IDM_CTX_ALBUM, ID_ALBUM_PROPERTIES},
    {IDM_CTX_IMGFILE, ID_PICTURE_PROPERTIES},
    {IDM_CAMERA_CTX, ID_CONFIGURE_COMMS},
    {IDM_CTX_ALBUM_WND, ID_ALBUM_FOLDER_PROPERTIES},
};

}  // namespace

UINT FileDialogKeptCommand(UINT menuId) {
    for (const KeptEntry& entry : kKeptEntries)
        if (entry.menu == menuId) return entry.command;
    return 0;
}

void StripForFileDialog(UINT menuId, HMENU popup) {
    UINT kept = FileDialogKeptCommand(menuId);
    if (!kept) return;
    for (int position = GetMenuItemCount(popup) - 1; position >= 0; --position) {
        bool submenu = GetSubMenu(popup, position) != nullptr;
        if (submenu || GetMenuItemID(popup, position) != kept) DeleteMenu(popup, position, MF_BYPOSITION);
    }
}

#include "ViewCopyStep.h"

#include "CommandSession.h"
#include "CopyProgressDialog.h"
#include "LocalNames.h"
#include "MounterItemId.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "TempArea.h"

std::string TempAreaForCopies(HWND owner) {
    char area[MAX_PATH] = "";
    UINT length = GetTempAreaPath(sizeof area, area);
    if (length == 0 || length >= sizeof area) {
        mounter::ShowMessage(owner, IDS_TEMP_AREA_UNAVAILABLE, MB_OK | MB_ICONERROR);
        return "";
    }
    return area;
}

std::string TempCopyPath(CMounterNameSpaceFolder* folder, const std::string& area, LPCITEMIDLIST item) {
    std::string name = itemid::NameOf(item);
    return area + (itemid::TypeOf(item) == MntAlbum ? folder->LocalAlbumName(name) : SafeLocalName(name));
}

int CopyItemToTempArea(CMounterNameSpaceFolder* folder, HWND owner, LPCITEMIDLIST item) {
    std::string area = TempAreaForCopies(owner);
    if (area.empty() || !OpenSessionForCommand(folder, owner)) return 0;
    DWORD type = itemid::TypeOf(item);
    if (type != MntAlbum && type != MntPictureFile && type != MntOtherFile) return 0;
    CCopyProgressDialog dialog;
    CCopyProgressDialog* progress = dialog.Create(owner) ? &dialog : nullptr;
    if (progress) {
        progress->SetFileName(itemid::NameOf(item));
        const MounterItemId* id = itemid::FromIdList(item);
        if (type != MntAlbum && id) progress->SetSize(id->size);
        progress->UpdateData();
    }
    CopyOutcome outcome;
    int result = type == MntAlbum ? folder->CopyAlbumToDisk(item, area.c_str(), &outcome, progress)
                                  : folder->CopyPictureToDisk(item, area.c_str(), &outcome, progress);
    dialog.Destroy();
    if (result == 0) mounter::ShowMessage(owner, IDS_COPY_FAILED, MB_OK | MB_ICONERROR);
    return result;
}

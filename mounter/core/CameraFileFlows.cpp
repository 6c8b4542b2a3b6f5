#include "CameraFileFlows.h"

#include "CommandSession.h"
#include "DeleteFileDialog.h"
#include "DialogSupport.h"
#include "FormatProgressDialog.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"

namespace {

constexpr char kCardDirectory[] = "\\PCCARD\\DCIMAGES";

}  // namespace

bool ConfirmPictureDeletion(HWND owner) {
    std::string text = mounter::LoadText(IDS_DELETE_CONFIRM);
    std::string caption = mounter::LoadText(IDS_DELETE_CONFIRM_CAPTION);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool DeleteCameraPicture(CMounterNameSpaceFolder* folder, HWND owner, const std::string& cameraPath,
                         const std::string& name) {
    if (folder->DeleteCameraFile(cameraPath.c_str())) return true;
    mounter::ShowMessageText(owner, mounter::FormatText(IDS_DELETE_FAILED, name), MB_OK | MB_ICONINFORMATION);
    return false;
}

int DeletePicturesFromCard(CMounterNameSpaceFolder* folder, HWND owner, DWORD pauseMs) {
    if (!folder->IsCardPresent(TRUE)) {
        mounter::ShowMessage(owner, IDS_CARD_REMOVED);
        return 0;
    }
    CDeleteFileDialog dialog(owner);
    if (!dialog.DoModal() || !ConfirmPictureDeletion(owner)) return 0;
    mounter::WaitCursor wait;
    int deleted = 0;
    for (const std::string& path : dialog.SelectedPaths()) {
        std::string name = path.substr(path.rfind('\\') + 1);   // the whole path when it has no "\\"
        deleted += DeleteCameraPicture(folder, owner, std::string(kCardDirectory) + "\\" + name, name) ? 1 : 0;
        Sleep(pauseMs);
    }
    return deleted;
}

int FormatCardWithConfirmation(CMounterNameSpaceFolder* folder, HWND owner) {
    if (mounter::ShowMessage(owner, IDS_FORMAT_CONFIRM, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return -1;
    int result = -1;
    {
        mounter::WaitCursor wait;
        CFormatProgressDialog notice;
        notice.Create(owner);
        if (OpenSessionForCommand(folder, owner)) result = static_cast<int>(folder->FormatMemoryCard());
        notice.Hide();
    }
    if (result == -1) return -1;
    if (result == 0) mounter::ShowMessage(owner, IDS_FORMAT_DONE, MB_OK | MB_ICONINFORMATION);
    else mounter::ShowMessage(owner, IDS_FORMAT_FAILED);
    return result;
}

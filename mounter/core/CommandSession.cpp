#include "CommandSession.h"

#include "MounterException.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "pvhost.h"

bool OpenSessionForCommand(CMounterNameSpaceFolder* folder, HWND owner) {
    if (folder->IsSessionOpen()) return true;
    int result = kCamCameraError;
    try {
        result = folder->ConnectCamera(1, owner);
    } catch (const MounterException&) {
        result = kCamCameraError;
    }
    if (result == kCamOk) return true;
    if (result != kCamCancelled) mounter::ShowMessage(owner, IDS_CAMERA_NOT_FOUND);
    return false;
}

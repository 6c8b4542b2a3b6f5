#include "CameraBrowser.h"

#include "AcquireDialog.h"
#include "AcquireManager.h"
#include "CameraChooser.h"
#include "DiscardWarning.h"
#include "ErrorDisplay.h"
#include "RetrievalCodes.h"
#include "RetrievalLoop.h"

namespace acquire {
namespace {

// Everything between connecting and disconnecting.
int ChooseAndRetrieve(AcquireManager& manager, AcquireDialog& dialog) {
    HWND owner = dialog.window();
    CameraConnection& camera = manager.connection();
    if (int code = manager.ConnectCamera(owner)) return code;
    if (int code = camera.ReadStatus(false, owner)) return code;
    if (camera.camera().newestPicture == 0 && camera.camera().pictureCount <= 0) return kErrNoPictures;
    CameraChooser chooser(camera.record(), kPvCameraTypePV360);
    INT_PTR answer = chooser.Run(owner);
    WriteCameraChooserSettings(chooser.memory(), chooser.showThumbnail());
    if (answer != IDOK && answer != IDCANCEL) return kErrChooserFailed;
    if (answer == IDCANCEL) return kErrUserCancelled;
    std::vector<std::string>& sources = manager.sources();
    sources = chooser.chosen();
    if (sources.empty()) return 0;
    dialog.Refresh();
    return RetrieveAll({&sources, &manager.pictures(), camera.record(), owner});
}

}  // namespace

int GetCameraPictures(AcquireManager& manager, AcquireDialog& dialog) {
    if (!ConfirmDiscardPictures(manager, dialog.window())) return kErrUserCancelled;
    dialog.Refresh();
    manager.sources().clear();
    manager.connection().ClearNotNeeded();
    int code = ChooseAndRetrieve(manager, dialog);
    manager.connection().Disconnect();
    return code;
}

}  // namespace acquire

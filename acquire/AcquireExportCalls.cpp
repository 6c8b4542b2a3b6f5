// The exports of pvacquire.dll that the data source calls.
#include "AcquireDialog.h"
#include "AcquireExports.h"
#include "AcquireManager.h"
#include "ErrorDisplay.h"
#include "PictureTransfer.h"

using acquire::AcquireManager;

namespace {

template <typename T>
bool Writable(T* p, size_t size = sizeof(T)) { return p && !IsBadWritePtr(p, size); }

// A failed request while the dialog waits for the application: the user gets the dialog back.
void EnableDialog() {
    if (acquire::AcquireDialog* dialog = AcquireManager::Instance().dialog()) EnableWindow(dialog->window(), TRUE);
}

}  // namespace

extern "C" {

HWND TwSrcUIOpen(HWND parent, int32_t transferLimit, SelectionCallback selected) {
    return AcquireManager::Instance().OpenDialog(parent, transferLimit, selected);
}

uint16_t TwSrcUIClose(HWND) {
    AcquireManager::Instance().CloseDialog();
    return kAcquireOk;
}

uint16_t TwSrcUIIsDialogMessage(HWND, MSG* message) {
    if (!message || IsBadReadPtr(message, sizeof *message)) return 0;
    return AcquireManager::Instance().IsDialogMessage(message) ? 1 : 0;
}

uint16_t UIODCNotUIWindow(int32_t transferLimit, NoDialogCallback done) {
    return AcquireManager::Instance().AcquireWithoutDialog(transferLimit, done);
}

uint16_t UIODCGetCameraInfo(uint16_t* values) {
    if (!Writable(values, 6)) {
        EnableDialog();
        return kAcquireFailed;
    }
    AcquireManager& manager = AcquireManager::Instance();
    const acquire::CameraConnection& camera = manager.connection();
    if (camera.connected()) {
        values[0] = manager.noDialogMode() ? 1 : camera.camera().newestPicture;
        values[1] = camera.camera().picturesFree;
    }
    return kAcquireOk;
}

uint16_t UIODCGetPictureInfo(uint32_t number, PictureInfo* info) {
    AcquireManager& manager = AcquireManager::Instance();
    const acquire::PictureEntry* picture = manager.Picture(number);
    if (!picture || !Writable(info)) {
        if (acquire::AcquireDialog* dialog = manager.dialog()) {
            EnableWindow(dialog->window(), TRUE);
            acquire::ShowAcquireError(acquire::kErrUnexpected, dialog->window());
        }
        return kAcquireFailed;
    }
    uint32_t pixels = picture->width * picture->height;
    *info = {number, picture->width, picture->height, picture->colour ? pixels * 3 : pixels};
    return kAcquireOk;
}

uint16_t UIODCGetRotateType(uint32_t number, uint16_t* rotation) {
    const acquire::PictureEntry* picture = AcquireManager::Instance().Picture(number);
    if (!picture || !Writable(rotation)) return kAcquireFailed;
    *rotation = picture->rotation;
    return kAcquireOk;
}

uint16_t UIODCGetImage(HGLOBAL* bitmap, uint32_t number, uint32_t index) {
    return acquire::TransferPicture(AcquireManager::Instance(), bitmap, number, index);
}

uint16_t UIODCGetImageType(uint16_t* type) {
    if (!Writable(type)) return kAcquireFailed;
    *type = 2;
    return kAcquireOk;
}

uint16_t UIODCGetPalette(uint32_t, void*, BYTE*, BYTE*, BYTE*) { return kAcquireFailed; }

uint16_t UIODCCloseDriverCamera() {
    AcquireManager::Instance().connection().Disconnect();
    return kAcquireOk;
}

uint16_t UIODCUICloseAfterTransfer() { return AcquireManager::Instance().noDialogMode() ? 1 : 0; }

}  // extern "C"

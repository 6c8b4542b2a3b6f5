#include "PictureTransfer.h"

#include "AcquireDialog.h"
#include "AcquireManager.h"
#include "ErrorDisplay.h"
#include "PictureHandOver.h"
#include "ProgressDialog.h"
#include "PvresIds.h"
#include "PvresModule.h"
#include "WaitCursor.h"

#include <algorithm>
#include <cstdio>

namespace acquire {
namespace {

// "Transferring Picture  [ n / total ]".
std::string Caption(uint32_t position, uint32_t total) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, PvresString(IDS_PV_PROGRESS_SUFFIX, " [ %d / %d ]").c_str(), int(position),
                  int(total));
    return PvresString(IDS_PV_TRANSFERRING_PICTURE_CAPTION, "Transferring Picture ") + suffix;
}

int FetchAndDecode(AcquireManager& manager, const PictureEntry& entry, HGLOBAL* bitmap, uint32_t index, HWND owner) {
    if (entry.source == PictureEntry::Source::kCamera && !manager.connection().connected()) {
        if (int result = manager.ConnectCamera(owner)) return result;
    }
    const uint32_t total = manager.noDialogMode() ? 1 : std::max<uint32_t>(manager.selectedCount(), index + 1);
    ProgressDialog progress(owner, Caption(index + 1, total));
    progress.SetMessage(entry.name);
    return HandOverPicture({&entry, &manager.connection(), manager.noDialogMode(), owner, &progress}, bitmap);
}

uint16_t ResultOf(int code) {
    if (code == 0) return 0;
    return code == kErrCancelled || code == kErrUserCancelled ? 3 : 1;
}

}  // namespace

uint16_t TransferPicture(AcquireManager& manager, HGLOBAL* bitmap, uint32_t number, uint32_t index) {
    if (!bitmap || IsBadWritePtr(bitmap, sizeof *bitmap)) return 1;
    WaitCursor hourglass;
    AcquireDialog* dialog = manager.dialog();
    HWND owner = dialog ? dialog->window() : nullptr;
    if (dialog) {
        dialog->ShowStatus(IDS_PV_STATUS_TRANSFERRING);
        UpdateWindow(owner);
    }
    const PictureEntry* entry = manager.Picture(number);
    const bool last = !manager.noDialogMode() && manager.selectedCount() == int32_t(index) + 1;
    const int code = entry ? FetchAndDecode(manager, *entry, bitmap, index, owner) : kErrUnexpected;
    const uint16_t result = ResultOf(code);
    // The dialog may have gone while the progress dialog let messages through.
    dialog = manager.dialog();
    if (dialog && code != 0) ShowAcquireError(code, dialog->window());
    if (dialog && (last || result != 0)) {
        EnableWindow(dialog->window(), TRUE);
        dialog->ShowStatus(result == 3 ? IDS_PV_STATUS_CANCELED : IDS_PV_STATUS_CLICK_TRANSFER);
        manager.connection().Disconnect();
    }
    return result;
}

}  // namespace acquire

// The acquire module's two callbacks and what the source tells the source manager after them.
#include "SourceContext.h"

#include "UniqueModule.h"

namespace source {

uint32_t SourceContext::Selected(uint32_t status, const SelectionRecord* selection) {
    if (!bridge_) return 1;
    if (status == kSelectionClosed) {
        if (bridge_->uiState == UiState::kDialogShown) bridge_->uiState = UiState::kCameraOpen;
        bridge_->settings.dialog = nullptr;
        bridge_->pending.reset();
    } else if (status == kSelectionMade) {
        if (!Readable(selection, sizeof *selection)) {
            status = PendingPictureList::kFailureBit | kBadValue;
        } else if (selection->count == 0) {
            status = kSelectionClosed;
        } else if (!Readable(selection->numbers, size_t(selection->count) * sizeof(uint16_t))) {
            status = PendingPictureList::kFailureBit | kBadValue;
        } else {
            status = PendingPictureList::Build(selection->numbers, selection->count, &bridge_->pending);
        }
    }
    Notify(status);
    return state_ == kTransferReady ? 0 : 1;
}

void SourceContext::NoDialogReady() {
    if (!bridge_) return;
    bridge_->pending.reset();
    uint16_t camera[3] = {};
    uint32_t status = UIODCGetCameraInfo(camera);
    if (status != kAcquireOk) {
        status |= PendingPictureList::kFailureBit;
    } else {
        status = PendingPictureList::Build(camera, 1, &bridge_->pending);
    }
    Notify(status);
}

void SourceContext::Notify(uint32_t status) {
    if (status == 0 && bridge_ && bridge_->pending) {
        std::optional<TW_UINT16> answer = SendToManager(MSG_XFERREADY);
        if (!answer) return;
        if (*answer != TWRC_SUCCESS) {
            CloseDown();
            return;
        }
        state_ = kTransferReady;
        capabilities_.RefreshForPicture(true);
        return;
    }
    std::optional<TW_UINT16> answer = SendToManager(MSG_CLOSEDSREQ);
    if (answer && *answer != TWRC_SUCCESS) {
        CloseDown();
        state_ = kClosed;
    }
}

std::optional<TW_UINT16> SourceContext::SendToManager(TW_UINT16 message) {
    if (managerEntry_) return managerEntry_(&identity_, &application_, DG_CONTROL, DAT_NULL, message, nullptr);
    // The manager is looked up afresh for every notification.
    pv::UniqueModule manager = pv::UniqueModule::load("TWAIN_32.DLL");
    auto entry = manager.proc<DSMENTRYPROC>("DSM_Entry");
    if (!entry) return std::nullopt;
    return entry(&identity_, &application_, DG_CONTROL, DAT_NULL, message, nullptr);
}

}  // namespace source

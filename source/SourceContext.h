// The data source of one load: its identity, the application that has it open, its state, its
// capabilities and the acquire bridge that drives the acquire dialog of pvacquire.
#pragma once

#include "AcquireExports.h"
#include "BridgeSettings.h"
#include "CapabilityList.h"
#include "GlobalMemory.h"
#include "MemoryStripState.h"
#include "PendingPictureList.h"
#include "SourceCodes.h"

#include <memory>
#include <optional>

namespace source {

// The acquire bridge's user-interface state.
enum class UiState : uint32_t { kCameraClosed = 0, kCameraOpen = 1, kDialogShown = 2 };

struct AcquireBridge {
    UiState uiState = UiState::kCameraClosed;
    BridgeSettings settings;
    std::unique_ptr<PendingPictureList> pending;
    bool cancelled = false;
};

class SourceContext {
public:
    explicit SourceContext(HINSTANCE module);
    ~SourceContext();
    SourceContext(const SourceContext&) = delete;
    SourceContext& operator=(const SourceContext&) = delete;

    static SourceContext* Instance();
    static void Create(HINSTANCE module);
    static void Destroy();

    // One triplet from the source manager.
    TW_UINT16 Entry(TW_IDENTITY* origin, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData);

    // The triplets' handlers (one internal code each).
    Code GetIdentity(void* pData);
    Code OpenSource(TW_IDENTITY* origin, void* pData);
    Code CloseSource();
    Code EnableSource(void* pData);
    Code DisableSource();
    Code ProcessEvent(void* pData);
    Code PendingTransfers(TW_UINT16 message, void* pData);
    Code Status(void* pData);
    Code Capability(TW_UINT16 message, void* pData);
    Code ImageInfo(void* pData);
    Code ImageLayout(TW_UINT16 message, void* pData);
    Code SetupMemoryTransfer(void* pData);
    Code SetupFileTransfer(TW_UINT16 message, void* pData);
    Code Palette(void* pData);
    Code NativeTransfer(void* pData);
    Code MemoryTransfer(void* pData);
    Code FileTransfer(void* pData);

    // The acquire dialog's selection and the no-dialog acquisition.
    uint32_t Selected(uint32_t status, const SelectionRecord* selection);
    void NoDialogReady();

private:
    void CloseDown();
    void CloseBridge();
    Code CloseDialog();
    // Tells the manager: MSG_XFERREADY for status 0 with a list, else MSG_CLOSEDSREQ.
    void Notify(uint32_t status);
    std::optional<TW_UINT16> SendToManager(TW_UINT16 message);
    // The picture of the current transfer; null when none is pending.
    const PictureInfo* CurrentPicture() const;
    // The current picture from the acquire module into bitmap: kXferDone, kCancel (nothing more
    // is then pending) or a failure.
    Code FetchPicture(pv::GlobalBlock* bitmap);
    TW_SETUPFILEXFER DefaultFileSetup() const;
    Code FirstStrip(TW_IMAGEMEMXFER* transfer);

    HINSTANCE module_;
    TW_IDENTITY identity_{};
    TW_IDENTITY application_{};
    TW_UINT32 refusedId_ = 0;
    State state_ = kClosed;
    CapabilityList capabilities_;
    std::unique_ptr<AcquireBridge> bridge_;
    HWND parentWindow_ = nullptr;
    TW_UINT16 conditionCode_ = TWCC_SUCCESS;
    // The last file set-up the application made, and the memory transfer in progress.
    std::unique_ptr<TW_SETUPFILEXFER> fileSetup_;
    std::unique_ptr<MemoryStripState> strips_;
    // The notification entry a TWAIN 2 manager handed over before the open (64-bit only).
    DSMENTRYPROC managerEntry_ = nullptr;
};

}  // namespace source

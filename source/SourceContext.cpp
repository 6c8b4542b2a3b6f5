#include "SourceContext.h"

#include "CapabilityNegotiation.h"
#include "SourceIdentity.h"

namespace source {
namespace {

SourceContext* g_context = nullptr;

uint32_t WINAPI SelectionMade(uint32_t status, SelectionRecord* selection, uintptr_t) {
    return g_context ? g_context->Selected(status, selection) : 1;
}

void WINAPI NoDialogAcquired() {
    if (g_context) g_context->NoDialogReady();
}

}  // namespace

SourceContext::SourceContext(HINSTANCE module)
    : module_(module), identity_(BuildIdentity(module)), bridge_(std::make_unique<AcquireBridge>()) {}

SourceContext::~SourceContext() { CloseBridge(); }

SourceContext* SourceContext::Instance() { return g_context; }

void SourceContext::Create(HINSTANCE module) {
    if (!g_context) g_context = new SourceContext(module);
}

void SourceContext::Destroy() {
    delete g_context;
    g_context = nullptr;
}

Code SourceContext::GetIdentity(void* pData) {
    if (!Writable(pData, sizeof(TW_IDENTITY))) return kBadValue;
    *static_cast<TW_IDENTITY*>(pData) = identity_;
    return kOk;
}

Code SourceContext::OpenSource(TW_IDENTITY* origin, void* pData) {
    if (!Readable(pData, sizeof(TW_IDENTITY))) return kBadValue;
    if (!capabilities_.Load(module_)) {
        capabilities_.Clear();
        return kNoMemory;
    }
    // A load serves one open after another: the bridge comes back for the next open.
    if (!bridge_) bridge_ = std::make_unique<AcquireBridge>();
    bridge_->uiState = UiState::kCameraOpen;
    application_ = *origin;
    fileSetup_.reset();
    identity_ = *static_cast<const TW_IDENTITY*>(pData);
    state_ = kOpen;
    return kOk;
}

Code SourceContext::CloseSource() {
    if (state_ == kOpen) {
        state_ = kClosed;
        CloseDown();
        return kOk;
    }
    if (state_ != kEnabled) return kSeqError;
    Code disabled = DisableSource();
    if (disabled == kOk) {
        state_ = kClosed;
        CloseDown();
    }
    return disabled;
}

void SourceContext::CloseDown() {
    parentWindow_ = nullptr;
    application_ = {};
    strips_.reset();
    fileSetup_.reset();
    capabilities_.Clear();
    CloseBridge();
}

void SourceContext::CloseBridge() {
    if (!bridge_) return;
    if (bridge_->settings.dialog) CloseDialog();
    bridge_->pending.reset();
    if (bridge_->uiState != UiState::kCameraClosed) UIODCCloseDriverCamera();
    bridge_.reset();
}

Code SourceContext::CloseDialog() {
    if (TwSrcUIClose(bridge_->settings.dialog) != kAcquireOk) return kOperationError;
    bridge_->uiState = UiState::kCameraOpen;
    bridge_->pending.reset();
    bridge_->settings.dialog = nullptr;
    return kOk;
}

Code SourceContext::EnableSource(void* pData) {
    if (!Readable(pData, sizeof(TW_USERINTERFACE))) return kBadValue;
    auto ui = static_cast<TW_USERINTERFACE*>(pData);
    if (!bridge_) return kOperationError;
    BridgeSettings& settings = bridge_->settings;
    ReadCapabilities(capabilities_, &settings);
    state_ = kEnabled;
    if (!ui->ShowUI) {
        bridge_->pending.reset();
        if (UIODCNotUIWindow(settings.transferCount, NoDialogAcquired) != kAcquireOk) {
            // Nothing was enabled: the application may try again from the open state.
            state_ = kOpen;
            return kSeqError;
        }
        return kOk;
    }
    parentWindow_ = static_cast<HWND>(ui->hParent);
    HWND dialog = bridge_->uiState == UiState::kCameraOpen
                      ? TwSrcUIOpen(parentWindow_, settings.transferCount, SelectionMade)
                      : nullptr;
    if (!dialog) {
        state_ = kOpen;
        return kOperationError;
    }
    settings.dialog = dialog;
    bridge_->uiState = UiState::kDialogShown;
    if (Writable(&ui->ModalUI, sizeof ui->ModalUI)) ui->ModalUI = FALSE;
    return kOk;
}

Code SourceContext::DisableSource() {
    if (bridge_ && bridge_->settings.dialog) {
        if (Code closed = CloseDialog()) return closed;
    }
    state_ = kOpen;
    return kOk;
}

Code SourceContext::ProcessEvent(void* pData) {
    if (!Writable(pData, sizeof(TW_EVENT))) return kBadValue;
    auto event = static_cast<TW_EVENT*>(pData);
    if (!Readable(event->pEvent, sizeof(MSG))) return kBadValue;
    event->TWMessage = MSG_NULL;
    HWND dialog = bridge_ ? bridge_->settings.dialog : nullptr;
    return TwSrcUIIsDialogMessage(dialog, static_cast<MSG*>(event->pEvent)) ? kDsEvent : kNotDsEvent;
}

Code SourceContext::PendingTransfers(TW_UINT16 message, void* pData) {
    if (!Writable(pData, sizeof(TW_PENDINGXFERS))) return kBadValue;
    auto transfers = static_cast<TW_PENDINGXFERS*>(pData);
    PendingPictureList* pending = bridge_ ? bridge_->pending.get() : nullptr;
    if (message == MSG_GET) {
        transfers->Count = TW_UINT16(pending ? pending->remaining() : 0);
        return kOk;
    }
    if (message == MSG_RESET) {
        transfers->Count = 0;
        return kOk;
    }
    // A memory transfer ended early gives its picture back.
    strips_.reset();
    if (pending && !pending->Advance()) bridge_->pending.reset();
    pending = bridge_ ? bridge_->pending.get() : nullptr;
    transfers->Count = TW_UINT16(pending ? pending->remaining() : 0);
    state_ = transfers->Count ? kTransferReady : kEnabled;
    capabilities_.RefreshForPicture(pending != nullptr);
    if (bridge_ && !pending) {
        bool askToClose = !bridge_->cancelled && UIODCUICloseAfterTransfer();
        bridge_->cancelled = false;
        if (askToClose) Notify(kSelectionClosed);
    }
    return kOk;
}

Code SourceContext::Status(void* pData) {
    if (!Writable(pData, sizeof(TW_STATUS))) return kBummer;
    *static_cast<TW_STATUS*>(pData) = {conditionCode_, 0};
    conditionCode_ = TWCC_SUCCESS;
    return kOk;
}

Code SourceContext::Capability(TW_UINT16 message, void* pData) { return HandleCapability(capabilities_, message, pData); }

}  // namespace source

#include "CameraConnection.h"

#include "ErrorDisplay.h"
#include "PvresIds.h"
#include "PvresModule.h"
#include "WaitCursor.h"

#include <new>

namespace acquire {
namespace {

constexpr DWORD kSettleMs = 300;

template <typename T>
std::unique_ptr<T> Allocate() {
    return std::unique_ptr<T>(new (std::nothrow) T{});
}

std::unique_ptr<char[]> AllocateText(size_t size) { return std::unique_ptr<char[]>(new (std::nothrow) char[size]{}); }

// The "Connecting" box, shown while it lives.
class ConnectingBox {
public:
    explicit ConnectingBox(HWND owner)
        : window_(CreateDialogParamA(PvresInstance(), MAKEINTRESOURCEA(IDD_PV_CONNECTING), owner, Proc, 0)) {
        if (window_) {
            ShowWindow(window_, SW_SHOWNORMAL);
            UpdateWindow(window_);
        }
    }
    ~ConnectingBox() {
        if (window_) DestroyWindow(window_);
    }
    ConnectingBox(const ConnectingBox&) = delete;
    ConnectingBox& operator=(const ConnectingBox&) = delete;

private:
    static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
    HWND window_;
};

}  // namespace

int CheckCameraStatus(const PvStatusRecord& status, bool noDialog, HWND owner) {
    if (!status.cardPresent) return kErrNoCard;
    if (!status.cardFormatted) return kErrUnformatted;
    if (status.acAdapter) return 0;
    if (status.battery == 2) return kErrBatteryExhausted;
    if (status.battery == 1 && !noDialog) {
        int answer = MessageBoxA(owner, PvresString(IDS_PV_BATTERY_LOW).c_str(), PvresString(IDS_PV_TITLE_WARNING, "Warning").c_str(),
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL);
        if (answer != IDYES) return kErrUserCancelled;
    }
    return 0;
}

CameraConnection::CameraConnection()
    : record_(Allocate<PvConnection>()),
      camera_(Allocate<PvCameraBlock>()),
      status_(Allocate<PvStatusRecord>()),
      config_(Allocate<PvConfig>()),
      clock_(Allocate<PvConfigClock>()),
      model_(AllocateText(33)),
      clockText_(AllocateText(32)) {
    if (!allocated() || !model_ || !clockText_) {
        record_.reset();
        camera_.reset();
        status_.reset();
        config_.reset();
        clock_.reset();
        model_.reset();
        clockText_.reset();
        return;
    }
    config_->model = model_.get();
    clock_->text = clockText_.get();
}

CameraConnection::~CameraConnection() { Disconnect(); }

int CameraConnection::Connect(const Options& options) {
    if (notNeeded_) return 0;
    if (connected_) return 0;
    if (!allocated()) return kErrNoMemory;
    WaitCursor hourglass;
    std::unique_ptr<ConnectingBox> box;
    if (options.showConnecting && !options.noDialog) box = std::make_unique<ConnectingBox>(options.owner);
    *record_ = {options.preferences.comPort, options.preferences.baudRate, kPvCameraTypePV360, 0, 0};
    if (PV360_OpenCamera(&kPvCameraInterfaceVersion, record_.get()) != kPvOk) return kErrCommunication;
    Sleep(kSettleMs);
    connected_ = true;
    box.reset();
    int result = ReadStatus(options.noDialog, options.owner);
    if (result == 0) result = PV360_GetConfig(record_.get(), config_.get(), clock_.get());
    if (result != 0) Disconnect();
    return result;
}

void CameraConnection::Disconnect() {
    if (connected_ && PV360_CloseCamera(record_.get()) == kPvOk) connected_ = false;
}

int CameraConnection::ReadStatus(bool noDialog, HWND owner) {
    if (!connected_) return kErrCommunication;
    if (int result = PV360_GetStatus(record_.get(), camera_.get(), status_.get())) return result;
    return CheckCameraStatus(*status_, noDialog, owner);
}

}  // namespace acquire

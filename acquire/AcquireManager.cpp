#include "AcquireManager.h"

#include "AcquireDialog.h"
#include "ErrorDisplay.h"
#include "PvresModule.h"

namespace acquire {
namespace {

AcquireManager* g_manager = nullptr;

}  // namespace

AcquireManager::AcquireManager() : preferences_(ReadCameraPreferences()), ports_(SearchPorts()) {}

AcquireManager::~AcquireManager() {
    dialog_.reset();
    WriteCameraPreferences(preferences_);
}

AcquireManager& AcquireManager::Instance() { return *g_manager; }

void AcquireManager::Create() {
    if (!g_manager) g_manager = new AcquireManager;
}

void AcquireManager::Destroy() {
    delete g_manager;
    g_manager = nullptr;
}

HWND AcquireManager::OpenDialog(HWND parent, int32_t transferLimit, SelectionCallback selected) {
    transferLimit_ = transferLimit;
    selectionCallback_ = selected;
    if (!PvresInstance() || dialog_) return nullptr;
    closing_ = false;
    dialog_ = AcquireDialog::Create(*this, parent);
    return dialog_ ? dialog_->window() : nullptr;
}

void AcquireManager::CloseDialog() {
    if (!dialog_) return;
    closing_ = true;
    DestroyWindow(dialog_->window());
}

bool AcquireManager::IsDialogMessage(MSG* message) {
    return dialog_ && message && ::IsDialogMessageA(dialog_->window(), message);
}

void AcquireManager::DialogDestroyed(AcquireDialog* dialog) {
    if (dialog_.get() == dialog) dialog_.reset();
}

const PictureEntry* AcquireManager::Picture(uint32_t number) const {
    return number >= 1 && number <= pictures_.size() ? &pictures_[number - 1] : nullptr;
}

void AcquireManager::EmptyPictures() {
    pictures_.clear();
    selectedCount_ = 0;
}

int AcquireManager::ConnectCamera(HWND owner) {
    CameraConnection::Options options;
    options.preferences = preferences_;
    options.noDialog = noDialogMode_;
    options.showConnecting = firstConnect_;
    options.owner = owner;
    // The load's first connection starts afresh.
    if (firstConnect_) connection_.Disconnect();
    firstConnect_ = false;
    return connection_.Connect(options);
}

uint16_t AcquireManager::AcquireWithoutDialog(int32_t transferLimit, NoDialogCallback done) {
    noDialogMode_ = true;
    transferLimit_ = transferLimit;
    pictures_.clear();
    selectedCount_ = 0;
    connection_.ClearNotNeeded();
    if (ConnectCamera(nullptr) != 0 || connection_.ReadStatus(true, nullptr) != 0) return kAcquireFailed;
    if (connection_.camera().pictureCount >= 1) {
        PictureEntry entry;
        const int32_t request[3] = {0, 0, 1};
        if (PV360_GetCameraPictInfo(connection_.record(), 1, kPvKindFullPicture, request, &entry.information,
                                    nullptr) != kPvOk)
            return kAcquireFailed;
        entry.cameraNumber = 1;
        entry.name = entry.information.name;
        entry.width = entry.information.width;
        entry.height = entry.information.height;
        pictures_.push_back(std::move(entry));
    }
    if (done) done();
    return kAcquireOk;
}

void AcquireManager::ReportUserClose() {
    if (closing_) return;
    closing_ = true;
    if (selectionCallback_) selectionCallback_(kSelectionClosed, nullptr, 0);
}

int AcquireManager::HandOverSelection(bool* accepted) {
    *accepted = false;
    selection_ = {};
    selectionLock_.reset();
    selectionNumbers_.reset();
    if (selectedCount_ <= 0) return kErrNoMemory;
    selectionNumbers_ = pv::GlobalBlock::alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(selectedCount_) * 2 + 2);
    if (selectionNumbers_) selectionLock_ = std::make_unique<pv::LockedGlobal>(selectionNumbers_.get());
    if (!selectionLock_ || !*selectionLock_) return kErrNoMemory;
    selection_.numbers = selectionLock_->as<uint16_t>();
    for (size_t i = 0; i < pictures_.size() && selection_.count < uint32_t(selectedCount_); ++i)
        if (pictures_[i].selected) selection_.numbers[selection_.count++] = uint16_t(i + 1);
    if (selectionCallback_) *accepted = selectionCallback_(kSelectionMade, &selection_, 0) == 0;
    return 0;
}

}  // namespace acquire

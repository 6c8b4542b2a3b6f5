// OpenCamera: makes a camera object and connects it step by step, reporting each step to the
// caller's progress callback, which may cancel.
#include "HostLibrary.h"
#include "SerialCamera.h"
#include "pvhost.h"
#include "pvlink.h"

#include <new>
#include <utility>

namespace {

constexpr DWORD kNoValue = 0xFFFFFFFF;

struct Step {
    DWORD text;
    DWORD mark;
};
constexpr Step kConnectStep = {586, 591};
constexpr Step kResetStep = {587, 592};
constexpr Step kSpeedStep = {588, 593};
constexpr Step kStatusStep = {589, 594};

class Connection {
public:
    Connection(OpenProgressCallback progress, ULONG_PTR user) : progress_(progress), user_(user) {}
    // An open that ends early, an exception included, leaves no camera object behind.
    ~Connection() { DestroyCamera(camera_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The connected camera, for the caller to keep.
    CSerialCamera* Release() { return std::exchange(camera_, nullptr); }

    // Tells the callback; true when the user asked to cancel.
    bool Tell(DWORD text, DWORD mark, DWORD state) { return progress_ && progress_(user_, text, mark, state); }

    // Runs one step: announced, run, then reported done or failed. False when the open ends here.
    template <class Run>
    bool RunStep(Step step, Run run) {
        if (Tell(step.text, step.mark, kStepAnnounced)) return Cancel();
        result_ = run();
        return Report(step);
    }

    // A step that did not need to run still reports done.
    bool Report(Step step) {
        bool ok = result_ == kCamOk;
        if (Tell(step.text, step.mark, ok ? kStepDone : kStepFailed)) return Cancel();
        if (ok) return true;
        camera_->GetLinkStatus(&link_.status, &link_.errorMask, &link_.lastError, &link_.location);
        DestroyCamera(camera_);
        camera_ = nullptr;
        throw CCameraException(CCameraException::kStepFailed, result_, link_);
    }

    bool Cancel() {
        DestroyCamera(camera_);
        camera_ = nullptr;
        return false;
    }

    CSerialCamera* camera_ = nullptr;

private:
    OpenProgressCallback progress_;
    ULONG_PTR user_;
    DWORD result_ = kCamOk;
    CommErrorState link_{};
};

}  // namespace

extern "C" CSerialCamera* OpenCamera(DWORD port, DWORD speed, DWORD readStatus,
                                     OpenProgressCallback progress, ULONG_PTR user) {
    pvhost::CameraMutexHold hold;
    Connection c(progress, user);
    c.camera_ = new (std::nothrow) CSerialCamera(port, speed);
    if (!c.camera_ || !c.camera_->Usable())
        throw CCameraException(CCameraException::kNoObject, 0, CommErrorState{});
    CSerialCamera* camera = c.camera_;
    bool alreadyOpen = CommIsOpen(port) != 0;
    if (!alreadyOpen) c.Tell(kNoValue, kNoValue, kNoValue);

    if (!c.RunStep(kConnectStep, [&] { return camera->Connect(); })) return nullptr;
    if (alreadyOpen) {
        if (!c.Report(kResetStep) || !c.Report(kSpeedStep)) return nullptr;
    } else {
        if (!c.RunStep(kResetStep, [&] { return camera->ResetCamera(); })) return nullptr;
        auto speed = [&] {
            DWORD r = CameraSetLinkSpeed(camera);
            return r == kCamRejected ? kCamOk : r;   // a camera that keeps its speed is fine
        };
        if (!c.RunStep(kSpeedStep, speed)) return nullptr;
    }
    if (readStatus && !c.RunStep(kStatusStep, [&] { return CameraReadStatus(camera); })) return nullptr;
    return c.Release();
}

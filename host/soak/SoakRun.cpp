#include "SoakRun.h"

#include "pvhost.h"

#include <cstdio>
#include <cstring>

namespace soak {
namespace {

// A copy's worst case: two attempts and two link recoveries (break, pause, speed, status), each
// attempt with a few reads that wait out the 200 ms time-out three times over (about 2 s for a
// whole packet) and at most three "not ready" pauses of 1.5 s: well under 20 s. Half as much again
// for a loaded machine.
constexpr DWORD kCopyBoundMs = 30000;
constexpr unsigned kEarlyCopies = 50;
constexpr unsigned kKinds = static_cast<unsigned>(FaultKind::Count);
static_assert(kKinds <= kEarlyCopies);
constexpr unsigned kReportEvery = 100;
constexpr int kOpenAttempts = 3;
// The working set may settle by a few pages (code first used late, the heap's own slack); a
// leak of a picture buffer or two per hundred copies would be far more.
constexpr size_t kWorkingSetSlack = size_t(1) << 20;

// Pulls the cable once the copy has received the given number of bytes.
struct PullPlan {
    SimulatedCard* card;
    DWORD at;
    bool armed;
};

DWORD CALLBACK PullCable(ULONG_PTR user, DWORD received, DWORD) {
    auto* plan = reinterpret_cast<PullPlan*>(user);
    if (plan->armed && received >= plan->at) {
        plan->armed = false;
        plan->card->Pull();
    }
    return 0;
}

double MiB(size_t bytes) { return bytes / 1048576.0; }

// A camera told to refuse more host packets than it takes itself reports its own limit; every
// other complaint of the camera is about the host.
bool CausedByTheFault(FaultKind kind, const std::string& violation) {
    return kind == FaultKind::RefusedHostPacket && violation.rfind("host data packet still not accepted", 0) == 0;
}

// The card watch's first post to the views, 20 s after a connection, makes the window system
// read its parameters, which keeps a few registry keys open for good. Enumerating the windows
// first, as the watch does, takes that one-off out of the comparison of handles.
BOOL CALLBACK AnyWindow(HWND, LPARAM) { return FALSE; }

}  // namespace

SoakRun::SoakRun(pvtest::PeerClient& peer, const SoakOptions& options)
    : options_(options), card_(peer, !options.realResetPause), menu_(options.seed), watchdog_(kCopyBoundMs) {}

SoakRun::~SoakRun() { DestroyCamera(camera_); }

int SoakRun::Run() {
    EnumWindows(AnyWindow, 0);
    card_.Plug();
    if (!OpenCameraAgain()) return 1;
    std::printf("soak: %u copies at %lu baud, seed %u, bound per copy %lu ms, %s reset pause\n", options_.copies,
                static_cast<unsigned long>(options_.speed), options_.seed, static_cast<unsigned long>(kCopyBoundMs),
                options_.realResetPause ? "real" : "shortened");
    std::fflush(stdout);
    for (unsigned copy = 1; copy <= options_.copies; ++copy) {
        if (!CopyOnce(copy)) break;
        if (copy == kEarlyCopies) early_ = Gauge(copy);
        if (copy % kReportEvery == 0) {
            std::printf("soak: %u copies, %u byte-identical, longest %lu ms\n", copy, tally_.succeeded(),
                        static_cast<unsigned long>(tally_.longest()));
            std::fflush(stdout);
        }
    }
    CleanPass();
    return Verdict(Gauge(options_.copies));
}

bool SoakRun::CopyOnce(unsigned copy) {
    const CardPicture& picture = card_.pictures()[menu_.Below(static_cast<unsigned>(card_.pictures().size()))];
    // The early copies meet every kind of fault once, so that whatever the library and the
    // system make once, on first use, is there before the process is first measured.
    const unsigned size = static_cast<unsigned>(picture.bytes.size());
    const Fault fault = copy <= kKinds ? menu_.DrawOf(static_cast<FaultKind>(copy - 1), size) : menu_.Draw(size);
    if (!fault.command.empty()) card_.Command(fault.command);
    const CopyOutcome outcome = Copy(picture, fault, copy);
    tally_.Count(fault.kind, outcome.result, outcome.milliseconds, copy);
    TakeLineViolations(fault, copy);
    return AfterCopy();
}

SoakRun::CopyOutcome SoakRun::Copy(const CardPicture& picture, const Fault& fault, unsigned copy) {
    PullPlan plan{&card_, fault.pullAt, fault.kind == FaultKind::CablePull};
    BYTE* data = nullptr;
    DWORD size = 0;
    watchdog_.Start(copy);
    const DWORD result =
        CameraReadPictureFile(camera_, picture.cameraPath.c_str(), &data, &size, PullCable, reinterpret_cast<ULONG_PTR>(&plan));
    const DWORD milliseconds = watchdog_.Stop();
    Check(picture, fault, result, data, size, copy);
    FreeCameraBuffer(data);
    return {result, milliseconds};
}

void SoakRun::Check(const CardPicture& picture, const Fault& fault, DWORD result, const BYTE* data, DWORD size,
                    unsigned copy) {
    const std::string what = "copy " + std::to_string(copy) + " (" + KindName(fault.kind) + ", " + fault.command +
                             ", " + picture.cameraPath + "): ";
    if (result > kLastResult) tally_.Violation(what + "answered " + std::to_string(result) + ", no CameraResult");
    if (result == kCamOk && (!data || size != picture.bytes.size() || std::memcmp(data, picture.bytes.data(), size) != 0))
        tally_.Violation(what + "succeeded with " + std::to_string(size) + " bytes that are not the card's " +
                         std::to_string(picture.bytes.size()));
    if (fault.kind == FaultKind::None && result != kCamOk)
        tally_.Violation(what + "failed with result " + std::to_string(result) + " on a sound line");
}

void SoakRun::TakeLineViolations(const Fault& fault, unsigned copy) {
    const std::vector<std::string> texts = card_.NewViolations();
    tally_.LineViolations(fault.kind, texts);
    for (const std::string& text : texts)
        if (!CausedByTheFault(fault.kind, text))
            tally_.Violation("copy " + std::to_string(copy) + " (" + KindName(fault.kind) + ", " + fault.command +
                             "): the camera saw " + text);
}

// Faults a copy left armed are disarmed, a pulled cable goes back in, and a camera object that
// lost its connection is opened again, as the camera's users do.
bool SoakRun::AfterCopy() {
    if (card_.plugged()) {
        card_.Command("fault clear");
    } else {
        card_.Plug();
        ++pulls_;
    }
    if (CameraIsConnected(camera_)) return true;
    ++reopened_;
    if (OpenCameraAgain()) return true;
    tally_.Violation("the camera could not be opened again");
    return false;
}

bool SoakRun::OpenCameraAgain() {
    DestroyCamera(camera_);
    camera_ = nullptr;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        try {
            camera_ = OpenCamera(0, options_.speed, 1, nullptr, 0);
            return true;
        } catch (const CCameraException& e) {
            std::printf("soak: the camera did not open (result %lu)\n", static_cast<unsigned long>(e.GetResult()));
        }
    }
    return false;
}

// Every picture once more on a sound line: the soak left the camera and the library usable.
void SoakRun::CleanPass() {
    const Fault none;
    unsigned equal = 0;
    const auto& pictures = card_.pictures();
    for (size_t i = 0; i < pictures.size(); ++i) {
        equal += Copy(pictures[i], none, options_.copies + 1 + static_cast<unsigned>(i)).result == kCamOk;
        TakeLineViolations(none, options_.copies + 1 + static_cast<unsigned>(i));
    }
    std::printf("soak: clean pass after the soak: %u of %zu pictures byte-identical\n", equal, pictures.size());
}

ProcessGauge SoakRun::Gauge(unsigned copy) {
    const ProcessGauge g = MeasureProcess();
    std::printf("soak: after copy %u: %zu live handles, working set %.2f MiB\n", copy, g.handles.size(),
                MiB(g.workingSet));
    return g;
}

int SoakRun::Verdict(const ProcessGauge& end) {
    std::printf("soak: %u copies, %u cable pulls, camera opened again %u times, longest copy %lu ms (bound %lu ms)\n",
                tally_.copies(), pulls_, reopened_, static_cast<unsigned long>(tally_.longest()),
                static_cast<unsigned long>(kCopyBoundMs));
    tally_.PrintByKind();
    tally_.PrintByResult();
    tally_.PrintLineViolations();
    std::printf("handles: %zu after copy %u, %zu at the end; working set: %.2f MiB, %.2f MiB\n", early_.handles.size(),
                kEarlyCopies, end.handles.size(), MiB(early_.workingSet), MiB(end.workingSet));
    for (const std::string& h : NewHandles(early_, end)) std::printf("  held at the end only: %s\n", h.c_str());
    if (end.handles.size() != early_.handles.size())
        tally_.Violation("the process holds another number of handles at the end");
    if (end.workingSet > early_.workingSet + kWorkingSetSlack) tally_.Violation("the working set grew");
    const bool ok = tally_.violations().empty() && tally_.copies() == options_.copies;
    std::printf("soak: %s\n", ok ? "every bound held" : "FAILED");
    return ok ? 0 : 1;
}

}  // namespace soak

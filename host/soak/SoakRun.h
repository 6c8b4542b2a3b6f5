// The soak itself: picture after picture copied from the simulated camera through the camera
// library, each under a line fault drawn from the seed, each copy checked byte for byte against
// the card, timed against its bound, and the process's handles and working set compared between
// the early copies and the end.
#pragma once

#include "CopyWatchdog.h"
#include "FaultMenu.h"
#include "ProcessGauge.h"
#include "SimulatedCard.h"
#include "SoakTally.h"

#include <windows.h>

class CSerialCamera;

namespace soak {

struct SoakOptions {
    unsigned copies = 1000;
    unsigned seed = 1;
    DWORD speed = 115200;
    bool realResetPause = false;
};

class SoakRun {
public:
    SoakRun(pvtest::PeerClient& peer, const SoakOptions& options);
    ~SoakRun();
    SoakRun(const SoakRun&) = delete;
    SoakRun& operator=(const SoakRun&) = delete;

    // Runs every copy and prints the figures; 0 when every bound held.
    int Run();

private:
    struct CopyOutcome {
        DWORD result;
        DWORD milliseconds;
    };
    bool CopyOnce(unsigned copy);
    CopyOutcome Copy(const CardPicture& picture, const Fault& fault, unsigned copy);
    void Check(const CardPicture& picture, const Fault& fault, DWORD result, const BYTE* data, DWORD size,
               unsigned copy);
    void TakeLineViolations(const Fault& fault, unsigned copy);
    bool AfterCopy();
    bool OpenCameraAgain();
    void CleanPass();
    ProcessGauge Gauge(unsigned copy);
    int Verdict(const ProcessGauge& end);

    const SoakOptions options_;
    SimulatedCard card_;
    FaultMenu menu_;
    CopyWatchdog watchdog_;
    SoakTally tally_;
    CSerialCamera* camera_ = nullptr;
    unsigned reopened_ = 0;
    unsigned pulls_ = 0;
    ProcessGauge early_{};
};

}  // namespace soak

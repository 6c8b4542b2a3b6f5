// One simulated camera on one pseudo-terminal: the line, the command loop on its own thread, the
// evidence it collects, and the control commands that steer it.
#pragma once

#include "Camera.h"
#include "Engine.h"
#include "PseudoTerminal.h"

#include <memory>
#include <thread>

namespace pvsim {

struct SimOptions {
    fs::path card;
    std::string winePrefix;   // empty: no COM link
    int com = 1;
    bool throttle = true;
    Model model = Model::PV360;
};

class Simulator {
public:
    explicit Simulator(const SimOptions& options);   // throws std::runtime_error
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const std::string& slavePath() const { return pty_->slavePath(); }
    // One control command line in, one reply line out ("OK ..." or "ERR ...").
    std::string execute(const std::string& line);
    bool quitRequested() const { return quit_; }

private:
    void serve();
    void resetCamera();
    std::string load(const std::string& dir);
    std::string setPower(const std::string& verb, const std::string& value);
    std::string setCard(const std::string& value, std::istream& rest);
    std::string setTiming(const std::string& which, int ms);
    std::string evidence(const std::string& verb, const std::string& arg);
    std::string violations(bool clear);

    std::unique_ptr<pvpty::PseudoTerminal> pty_;
    Transcript transcript_;
    Counters counters_;
    Violations violations_;
    FaultPlan faults_;
    Camera camera_;
    std::mutex cameraLock_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> quit_{false};
    std::unique_ptr<Line> line_;
    std::unique_ptr<Engine> engine_;
    std::thread thread_;
};

}  // namespace pvsim

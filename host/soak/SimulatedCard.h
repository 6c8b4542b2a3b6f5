// The simulated camera on COM1 behind the soak: started on a fresh card image made from one seed,
// so that a camera plugged in again holds the same pictures; its control channel arms the faults.
#pragma once

#include "CardPictures.h"
#include "PeerClient.h"

#include <memory>
#include <string>
#include <vector>

namespace soak {

class SimulatedCard {
public:
    SimulatedCard(pvtest::PeerClient& peer, bool shortResetPause);
    ~SimulatedCard();
    SimulatedCard(const SimulatedCard&) = delete;
    SimulatedCard& operator=(const SimulatedCard&) = delete;

    void Plug();   // a camera on the line, the card read
    void Pull();   // the camera gone; its protocol violations are kept
    bool plugged() const { return control_ != nullptr; }

    std::string Command(const std::string& line) { return control_->command(line); }
    const std::vector<CardPicture>& pictures() const { return pictures_; }
    // What the host did wrong on the line since the last call, as the simulators saw it.
    std::vector<std::string> NewViolations();

private:
    void TakeViolations();

    pvtest::PeerClient& peer_;
    const bool shortResetPause_;
    std::unique_ptr<pvtest::PeerClient> control_;
    std::vector<CardPicture> pictures_;
    std::vector<std::string> violations_;
};

}  // namespace soak

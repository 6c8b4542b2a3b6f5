#include "SimulatedCard.h"

#include <utility>

namespace soak {
namespace {

constexpr int kCom = 1;
constexpr unsigned kCardSeed = 1;
// The camera takes a quiet line this long as the host's reset when the host's pause is shortened.
constexpr const char* kShortResetQuiet = "timing resetquiet 200";

}  // namespace

SimulatedCard::SimulatedCard(pvtest::PeerClient& peer, bool shortResetPause)
    : peer_(peer), shortResetPause_(shortResetPause) {}

SimulatedCard::~SimulatedCard() {
    if (plugged()) peer_.stopSimulator(kCom);
}

void SimulatedCard::Plug() {
    auto sim = peer_.startSimulator(kCom, kCardSeed, "--no-throttle");
    control_ = std::make_unique<pvtest::PeerClient>(sim.control);
    if (shortResetPause_) control_->command(kShortResetQuiet);
    pictures_ = ReadCardPictures(sim.cardDir);
}

void SimulatedCard::Pull() {
    TakeViolations();
    peer_.stopSimulator(kCom);
    control_.reset();
}

std::vector<std::string> SimulatedCard::NewViolations() {
    if (plugged()) TakeViolations();
    return std::exchange(violations_, {});
}

// "N | text | text": the count, then each text.
void SimulatedCard::TakeViolations() {
    const std::string reply = control_->command("violations");
    control_->command("violations clear");
    for (size_t at = reply.find(" | "); at != std::string::npos;) {
        const size_t next = reply.find(" | ", at + 3);
        violations_.push_back(reply.substr(at + 3, next == std::string::npos ? std::string::npos : next - at - 3));
        at = next;
    }
}

}  // namespace soak

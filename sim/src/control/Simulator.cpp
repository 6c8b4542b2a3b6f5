#include "Simulator.h"

#include "CommandTable.h"
#include "HexCodec.h"

#include <sstream>

namespace pvsim {
namespace {

// How long a question about the evidence waits for host bytes still on their way in.
constexpr int kSettleMs = 500;

}  // namespace

Simulator::Simulator(const SimOptions& o) {
    camera_.model = o.model;
    std::string error;
    if (!camera_.store.load(o.card, error)) throw std::runtime_error(error);
    pty_ = std::make_unique<pvpty::PseudoTerminal>(o.winePrefix, o.com);
    LineEvidence ev{transcript_, counters_, violations_};
    line_ = std::make_unique<Line>(pty_->masterFd(), [this] { return pty_->speed(); }, ev, stop_);
    line_->setThrottle(o.throttle);
    engine_ = std::make_unique<Engine>(*line_, faults_, ev, cameraLock_);
    engine_->setHandlers(makeHandlers(camera_));
    engine_->setResetHandler([this] { camera_.fileAccess = false; });
    thread_ = std::thread([this] { serve(); });
}

Simulator::~Simulator() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void Simulator::serve() {
    while (!stop_) engine_->serveOnce(100);
}

void Simulator::resetCamera() {
    camera_.resetState();
    camera_.battery = kBatteryFull;
    camera_.mains = true;
    camera_.store.setCardPresent(true);
    line_->setSpeed(9600);
    faults_.clear();
}

std::string Simulator::load(const std::string& dir) {
    std::string error;
    std::lock_guard g(cameraLock_);
    return camera_.store.load(dir, error) ? "OK" : "ERR " + error;
}

std::string Simulator::setPower(const std::string& verb, const std::string& value) {
    std::lock_guard g(cameraLock_);
    if (verb == "mains" && (value == "on" || value == "off")) camera_.mains = value == "on";
    else if (verb == "battery" && value == "full") camera_.battery = kBatteryFull;
    else if (verb == "battery" && value == "low") camera_.battery = kBatteryLow;
    else if (verb == "battery" && value == "exhausted") camera_.battery = kBatteryExhausted;
    else return "ERR bad " + verb + " value: " + value;
    return "OK";
}

std::string Simulator::setCard(const std::string& value, std::istream& rest) {
    std::lock_guard g(cameraLock_);
    auto& m = camera_.store.manifest();
    unsigned long long bytes = 0;
    if (value == "in" || value == "out") camera_.store.setCardPresent(value == "in");
    else if (value == "formatted" || value == "unformatted") m.formatted = value == "formatted";
    else if (value == "full") m.capacity -= camera_.store.freeBytes();
    else if (value == "capacity" && rest >> bytes) m.capacity = bytes;
    else return "ERR bad card state: " + value;
    return "OK";
}

std::string Simulator::setTiming(const std::string& which, int ms) {
    if (ms < 0 || ms > 600000) return "ERR bad time";
    std::lock_guard g(cameraLock_);
    Timing& t = engine_->timing();
    if (which == "gap") t.gapMs = ms;
    else if (which == "hostpacket") t.hostPacketMs = ms;
    else if (which == "verdict") t.verdictMs = ms;
    else if (which == "resetquiet") line_->setResetQuietMs(ms);
    else return "ERR unknown timing: " + which;
    return "OK";
}

std::string Simulator::violations(bool clear) {
    if (clear) violations_.clear();
    auto list = violations_.list();
    std::string out = "OK " + std::to_string(list.size());
    for (const auto& v : list) out += " | " + v;
    return out;
}

std::string Simulator::evidence(const std::string& verb, const std::string& arg) {
    line_->settle(kSettleMs);
    bool clear = arg == "clear";
    if (verb == "violations") return violations(clear);
    if (verb == "transcript") {
        std::string t = transcript_.render(arg == "times");
        if (clear) transcript_.clear();
        return "OK " + t;
    }
    std::string c = counters_.render();
    if (clear) counters_.clear();
    return "OK " + c;
}

std::string Simulator::execute(const std::string& line) {
    std::istringstream in(line);
    std::string verb, arg;
    in >> verb >> arg;
    if (verb == "ping") return "OK pvsim";
    if (verb == "quit") { quit_ = true; return "OK"; }
    if (verb == "load") return load(arg);
    if (verb == "reset") { std::lock_guard g(cameraLock_); resetCamera(); return "OK"; }
    if (verb == "fault") {
        if (arg == "clear") { faults_.clear(); return "OK"; }
        std::string error = faults_.arm(line.substr(line.find(arg)));
        return error.empty() ? "OK" : "ERR " + error;
    }
    if (verb == "transcript" || verb == "counters" || verb == "violations") return evidence(verb, arg);
    if (verb == "clear") { transcript_.clear(); counters_.clear(); violations_.clear(); return "OK"; }
    if (verb == "battery" || verb == "mains") return setPower(verb, arg);
    if (verb == "card") return setCard(arg, in);
    if (verb == "throttle" && (arg == "on" || arg == "off")) { line_->setThrottle(arg == "on"); return "OK"; }
    if (verb == "speed") return "OK " + std::to_string(line_->speed()) + " " + std::to_string(pty_->speed());
    if (verb == "timing") { int ms = -1; in >> ms; return setTiming(arg, ms); }
    if (verb == "status") {
        std::lock_guard g(cameraLock_);
        Bytes s = camera_.statusRecord();
        return "OK " + pvpty::encodeHex(s.data(), 126);
    }
    return "ERR unknown command: " + line;
}

}  // namespace pvsim

#include <algorithm>
#include "FaultPlan.h"

#include <sstream>
#include <utility>

namespace pvsim {

bool FaultPlan::take(int& counter) {
    if (counter <= 0) return false;
    --counter;
    return true;
}

std::optional<uint8_t> FaultPlan::blockAnswer(uint8_t command) {
    std::lock_guard g(lock_);
    if (take(notReady_)) return uint8_t(0x10);
    if (answer_.times > 0 && (answer_.command < 0 || answer_.command == command)) {
        --answer_.times;
        return answer_.byte;
    }
    return std::nullopt;
}

long FaultPlan::silence(uint8_t command) {
    std::lock_guard g(lock_);
    if (silenceCommand_ >= 0 && silenceCommand_ != command) return -1;
    return std::exchange(silence_, -1);
}

int FaultPlan::busyBeforeControl(int packetNumber) {
    std::lock_guard g(lock_);
    if (busyControlPacket_ != 0 && busyControlPacket_ != packetNumber) return 0;
    busyControlPacket_ = 0;
    return std::exchange(busyControl_, 0);
}

int FaultPlan::busyBeforeCompletion() {
    std::lock_guard g(lock_);
    return std::exchange(busyCompletion_, 0);
}

PacketFault FaultPlan::packet(int number) {
    std::lock_guard g(lock_);
    PacketFault f;
    if (badSum_.number == number) f.badChecksum = take(badSum_.times);
    if (errorPacket_ == number) {
        f.errorInstead = true;
        errorPacket_ = 0;
    }
    if (take(shortTimes_)) f.cut = shortBy_;
    return f;
}

bool FaultPlan::refuseHostPacket() {
    std::lock_guard g(lock_);
    return take(nak_);
}

void FaultPlan::clear() {
    std::lock_guard g(lock_);
    notReady_ = busyControl_ = busyControlPacket_ = busyCompletion_ = errorPacket_ = shortTimes_ = nak_ = 0;
    answer_ = {};
    badSum_ = {};
    silence_ = silenceCommand_ = -1;
    shortBy_ = 0;
}

namespace {

// A command code in hex, or -1 for "any" (and for no code at all when that is allowed).
bool ParseCommand(const std::string& target, bool emptyIsAny, int& command) {
    command = -1;
    if (target == "any" || (emptyIsAny && target.empty())) return true;
    size_t used = 0;
    try { command = std::stoi(target, &used, 16); } catch (...) { used = 0; }
    return used == target.size() && command >= 0 && command <= 0xFF;
}

}  // namespace

std::string FaultPlan::armAnswer(uint8_t byte, const std::string& target, int times) {
    int command = -1;
    if (!ParseCommand(target, false, command)) return "bad command code: " + target;
    std::lock_guard g(lock_);
    answer_ = {command, byte, times};
    return "";
}

std::string FaultPlan::armSilence(long bytes, const std::string& target) {
    int command = -1;
    if (!ParseCommand(target, true, command)) return "bad command code: " + target;
    std::lock_guard g(lock_);
    silence_ = bytes;
    silenceCommand_ = command;
    return "";
}

std::string FaultPlan::arm(const std::string& words) {
    std::istringstream in(words);
    std::string kind, a;
    long n = 0, m = 1;
    in >> kind;
    if (kind == "reject" || kind == "error") {
        in >> a;
        if (!(in >> m)) m = 1;
        return armAnswer(kind == "reject" ? 0xE1 : 0xE2, a, static_cast<int>(m));
    }
    if (!(in >> n) || n < 0 || n > 1000000) return "fault needs a count: " + words;
    if (kind == "silence") {
        in >> a;
        return armSilence(n, a);
    }
    if (kind != "busy" && !(in >> m)) m = 1;
    if (kind == "busy") in >> a;
    std::lock_guard g(lock_);
    if (kind == "notready") notReady_ = static_cast<int>(n);
    else if (kind == "busy" && (a.empty() || a == "completion")) busyCompletion_ = static_cast<int>(n);
    else if (kind == "busy" && a == "control") {
        busyControl_ = static_cast<int>(n);
        if (!(in >> busyControlPacket_)) busyControlPacket_ = 0;
    }
    else if (kind == "badsum") badSum_ = {static_cast<int>(n), static_cast<int>(m)};
    else if (kind == "packet-error") errorPacket_ = static_cast<int>(n);
    else if (kind == "short") { shortBy_ = static_cast<size_t>(n); shortTimes_ = static_cast<int>(m); }
    else if (kind == "nak") nak_ = static_cast<int>(n);
    else return "unknown fault: " + words;
    return "";
}

}  // namespace pvsim

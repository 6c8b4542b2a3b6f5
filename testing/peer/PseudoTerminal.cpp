#include "PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace pvpty {
namespace {

struct SpeedPair { speed_t code; unsigned baud; };
constexpr SpeedPair kSpeeds[] = {
    {B300, 300},       {B1200, 1200},     {B2400, 2400},     {B4800, 4800},
    {B9600, 9600},     {B19200, 19200},   {B38400, 38400},   {B57600, 57600},
    {B115200, 115200}, {B230400, 230400}, {B460800, 460800},
};

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

unsigned baudFromSpeed(speed_t s) {
    for (const auto& p : kSpeeds)
        if (p.code == s) return p.baud;
    return 0;
}

speed_t speedFromBaud(unsigned baud) {
    for (const auto& p : kSpeeds)
        if (p.baud == baud) return p.code;
    return B0;
}

PseudoTerminal::PseudoTerminal(const std::string& winePrefix, int comNumber) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) fail("posix_openpt");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) fail("unlockpt");
    slavePath_ = ptsname(master_);
    slaveKeeper_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeeper_ < 0) fail("open " + slavePath_);
    termios t{};
    tcgetattr(slaveKeeper_, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B9600);
    if (tcsetattr(slaveKeeper_, TCSANOW, &t) != 0) fail("tcsetattr");

    if (winePrefix.empty()) return;   // a terminal for a native client, without a COM link
    std::string dosdevices = winePrefix + "/dosdevices";
    mkdir(dosdevices.c_str(), 0755);
    linkPath_ = dosdevices + "/com" + std::to_string(comNumber);
    unlink(linkPath_.c_str());
    if (symlink(slavePath_.c_str(), linkPath_.c_str()) != 0) fail("symlink " + linkPath_);
}

PseudoTerminal::~PseudoTerminal() {
    // Remove the link only while it still points at this terminal.
    char target[256] = {};
    ssize_t n = linkPath_.empty() ? 0 : readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0 && slavePath_ == std::string(target, static_cast<size_t>(n))) unlink(linkPath_.c_str());
    if (slaveKeeper_ >= 0) close(slaveKeeper_);
    if (master_ >= 0) close(master_);
}

unsigned PseudoTerminal::speed() const {
    termios t{};
    if (tcgetattr(slaveKeeper_, &t) != 0) return 0;
    return baudFromSpeed(cfgetospeed(&t));
}

bool PseudoTerminal::setSpeed(unsigned baud) {
    speed_t code = speedFromBaud(baud);
    termios t{};
    if (code == B0 || tcgetattr(slaveKeeper_, &t) != 0) return false;
    cfsetspeed(&t, code);
    return tcsetattr(slaveKeeper_, TCSANOW, &t) == 0;
}

}  // namespace pvpty

#include <algorithm>
#include "Line.h"

#include <utility>

#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace pvsim {
namespace {

constexpr int kPollSliceMs = 50;
constexpr int kStuckWriteMs = 3000;   // a host that reads nothing for this long loses the output

int msUntil(Line::Clock::time_point t) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t - Line::Clock::now()).count();
    return ms < 0 ? 0 : static_cast<int>(ms);
}

}  // namespace

Line::Line(int fd, std::function<unsigned()> hostSpeed, LineEvidence evidence, const std::atomic<bool>& stop)
    : fd_(fd), hostSpeed_(std::move(hostSpeed)), ev_(evidence), stop_(stop),
      lastActivity_(Clock::now()), inputDone_(lastActivity_), outputFree_(lastActivity_) {}

Line::Clock::duration Line::byteTime() const {
    return std::chrono::microseconds(10'000'000ull / (speed_ ? speed_.load() : 9600));
}

std::optional<uint8_t> Line::readByte(int timeoutMs) {
    if (!pushedBack_.empty()) {
        uint8_t b = pushedBack_.front();
        pushedBack_.pop_front();
        return b;
    }
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (waitForInput(deadline)) {
        // A byte is read and recorded in one step, so that settle sees both or neither.
        std::lock_guard arriving(arrival_);
        uint8_t b;
        if (::read(fd_, &b, 1) == 1 && acceptArrival(b)) return b;
    }
    return std::nullopt;
}

// poll, unlike FIONREAD, first moves what the host's side has written into the camera's side.
void Line::settle(int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd p{fd_, POLLIN, 0};
    while (poll(&p, 1, 0) > 0 && (p.revents & POLLIN) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard arrived(arrival_);
}

size_t Line::read(uint8_t* out, size_t size, int gapMs) {
    size_t n = 0;
    while (n < size) {
        auto b = readByte(gapMs);
        if (!b) break;
        out[n++] = *b;
    }
    return n;
}

void Line::unread(const uint8_t* data, size_t size) {
    pushedBack_.insert(pushedBack_.begin(), data, data + size);
}

bool Line::waitForInput(Clock::time_point deadline) {
    for (;;) {
        if (stop_) return false;
        pollfd p{fd_, POLLIN, 0};
        int slice = std::min(kPollSliceMs, msUntil(deadline));
        if (poll(&p, 1, slice) > 0 && (p.revents & POLLIN)) return true;
        if (Clock::now() >= deadline) return false;
    }
}

// Decides what a byte that just arrived means: a reset, garbage at the wrong speed, or data.
bool Line::acceptArrival(uint8_t b) {
    auto now = Clock::now();
    unsigned host = hostSpeed_();
    bool quiet = now - lastActivity_ >= std::chrono::milliseconds(resetQuietMs_);
    lastActivity_ = now;
    // Verdicts and host packets never open a command, so a slow host's late answer is no reset.
    bool mayOpenCommand = b != 0xD2 && b != 0xE3 && b != 0xE4 && b != 0x80 && b != 0xFF;
    if (quiet && host == 9600 && mayOpenCommand) {
        speed_ = 9600;
        garbling_ = false;
        pushedBack_.push_front(b);
        ev_.counters.resets++;
        ev_.transcript.note("reset");
        ev_.transcript.record(Direction::FromHost, &b, 1);
        ev_.counters.bytesIn++;
        throw LineReset();
    }
    if (host != 0 && host != speed_) {
        ev_.counters.garbled++;
        if (!garbling_)
            ev_.violations.report("host sent at " + std::to_string(host) + " baud while the camera is at " +
                                  std::to_string(speed_.load()));
        garbling_ = true;
        return false;
    }
    garbling_ = false;
    ev_.transcript.record(Direction::FromHost, &b, 1);
    ev_.counters.bytesIn++;
    if (throttle_) {
        inputDone_ = std::max(now, inputDone_) + byteTime();
        std::this_thread::sleep_until(inputDone_);
        lastActivity_ = inputDone_;
    }
    return true;
}

void Line::silenceAfter(long bytes) { silentAfter_ = bytes; }

void Line::endCommand() {
    silentAfter_ = -1;
    ev_.violations.setMuted(false);
}

size_t Line::passSilence(size_t size) {
    if (silentAfter_ < 0) return size;
    size_t pass = std::min<size_t>(size, static_cast<size_t>(silentAfter_));
    silentAfter_ -= static_cast<long>(pass);
    if (pass < size) ev_.violations.setMuted(true);
    return pass;
}

void Line::write(const uint8_t* data, size_t size) {
    size = passSilence(size);
    if (size == 0) return;
    ev_.transcript.record(Direction::FromCamera, data, size);
    ev_.counters.bytesOut += static_cast<unsigned>(size);
    Bytes heard = asHeardByTheHost(data, size);
    if (throttle_) writePaced(heard.data(), size);
    else writeNow(heard.data(), size);
    lastActivity_ = std::max(Clock::now(), outputFree_);
}

// A host listening at another speed than the camera's does not hear the camera's bytes, but
// noise: reported once, and sent as bytes that are not the camera's.
Bytes Line::asHeardByTheHost(const uint8_t* data, size_t size) {
    Bytes out(data, data + size);
    unsigned host = hostSpeed_();
    bool wasGarbled = std::exchange(outputGarbled_, host != 0 && host != speed_);
    if (!outputGarbled_) return out;
    if (!wasGarbled)
        ev_.violations.report("host reads at " + std::to_string(host) + " baud while the camera sends at " +
                              std::to_string(speed_.load()));
    for (uint8_t& b : out) b = static_cast<uint8_t>(~b);
    return out;
}

// Hands each slice to the terminal at the moment its last bit would have left the camera.
void Line::writePaced(const uint8_t* data, size_t size) {
    size_t slice = std::max<size_t>(1, speed_ / 1000);
    auto start = std::max(Clock::now(), outputFree_);
    for (size_t done = 0; done < size;) {
        size_t n = std::min(slice, size - done);
        std::this_thread::sleep_until(start + byteTime() * static_cast<long>(done + n));
        writeNow(data + done, n);
        done += n;
    }
    outputFree_ = start + byteTime() * static_cast<long>(size);
}

void Line::writeNow(const uint8_t* data, size_t size) {
    auto deadline = Clock::now() + std::chrono::milliseconds(kStuckWriteMs);
    while (size > 0 && !stop_) {
        ssize_t n = ::write(fd_, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (Clock::now() >= deadline) return;
        pollfd p{fd_, POLLOUT, 0};
        poll(&p, 1, kPollSliceMs);
    }
}

}  // namespace pvsim

// The camera's clock: half seconds since 1997-01-01 00:00:00, in the local time the host set it to.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

namespace pvsim {

class CameraClock {
public:
    CameraClock() { set(fromLocal(std::time(nullptr))); }
    uint32_t now() const;
    void set(uint32_t value);

    static uint32_t fromLocal(std::time_t t);   // this machine's local time as a clock value
    static std::time_t toLocal(uint32_t value);

private:
    uint32_t base_ = 0;
    std::chrono::steady_clock::time_point setAt_;
};

}  // namespace pvsim

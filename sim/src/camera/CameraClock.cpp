#include "CameraClock.h"

namespace pvsim {
namespace {

constexpr std::time_t kEpoch1997 = 852076800;   // 1997-01-01 00:00:00 as a civil (UTC-style) count

}  // namespace

uint32_t CameraClock::now() const {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - setAt_);
    return base_ + static_cast<uint32_t>(ms.count() / 500);
}

void CameraClock::set(uint32_t value) {
    base_ = value;
    setAt_ = std::chrono::steady_clock::now();
}

uint32_t CameraClock::fromLocal(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    std::time_t civil = timegm(&local);
    return civil < kEpoch1997 ? 0 : static_cast<uint32_t>((civil - kEpoch1997) * 2);
}

std::time_t CameraClock::toLocal(uint32_t value) {
    std::time_t civil = kEpoch1997 + value / 2;
    std::tm tm{};
    gmtime_r(&civil, &tm);
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

}  // namespace pvsim

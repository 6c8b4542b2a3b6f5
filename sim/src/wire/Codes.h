// Single-byte answers and markers of the camera's serial protocol.
#pragma once

#include <cstdint>

namespace pvsim::code {

constexpr uint8_t kAccepted = 0xD1;      // command block accepted
constexpr uint8_t kRejected = 0xE1;      // command or value not accepted
constexpr uint8_t kCameraError = 0xE2;   // camera error, also in place of a data packet
constexpr uint8_t kNotReady = 0x10;
constexpr uint8_t kDataFollows = 0x01;   // control byte ahead of a camera packet
constexpr uint8_t kBusy = 0xF0;
constexpr uint8_t kComplete = 0x00;
constexpr uint8_t kPacketOk = 0xD2;
constexpr uint8_t kSendAgain = 0xE3;
constexpr uint8_t kCancel = 0xE4;
constexpr uint8_t kHostData = 0x80;
constexpr uint8_t kHostWithdrawn = 0xFF;
constexpr uint8_t kBlockEnd = 0x1A;

constexpr int kBlockSize = 8;
constexpr int kHostPacketSize = 60;

}  // namespace pvsim::code

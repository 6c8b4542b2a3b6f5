// The serial ports the Preferences dialog offers: index 0 (automatic search) always, index n for
// COMn when it exists and takes 2048-byte queues, or is held by another program.
#pragma once

#include <array>

namespace acquire {

using PortAvailability = std::array<bool, 10>;

PortAvailability SearchPorts();

}  // namespace acquire

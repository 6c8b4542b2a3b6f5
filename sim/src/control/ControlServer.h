// The control channel: a line protocol on a loopback TCP port, one reply line per command line, any
// number of clients served side by side.
#pragma once

#include "Simulator.h"

#include <atomic>
#include <string>

namespace pvsim {

// Serves until `stop` is set or a client sends "quit". Writes the port number and a newline to
// portFile once it accepts connections. Returns the process exit status.
int serveControl(Simulator& sim, const std::string& portFile, const std::atomic<bool>& stop);

}  // namespace pvsim

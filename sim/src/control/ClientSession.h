// One client of the control channel, served on its own thread: each command line it sends is run
// and answered with one reply line, so that a command that waits on the camera holds up only the
// client that sent it.
#pragma once

#include "Simulator.h"

#include <atomic>
#include <thread>

namespace pvsim {

class ClientSession {
public:
    // Takes over the connected socket; serves until the client leaves, `stop` is set or a client
    // asks the simulator to quit.
    ClientSession(Simulator& sim, int fd, const std::atomic<bool>& stop);
    ~ClientSession();   // closes the socket once the thread has ended
    ClientSession(const ClientSession&) = delete;
    ClientSession& operator=(const ClientSession&) = delete;

    bool ended() const { return ended_; }

private:
    void serve();
    bool serveLines();

    Simulator& sim_;
    int fd_;
    const std::atomic<bool>& stop_;
    std::string buffer_;
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

}  // namespace pvsim

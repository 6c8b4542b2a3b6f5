// Talks to the Linux-side peer (pvpeer) whose address the test runner puts in PV_PEER.
#pragma once

#include <string>
#include <vector>

namespace pvtest {

class PeerClient {
public:
    PeerClient();                      // connects to PV_PEER; throws std::runtime_error on failure
    ~PeerClient();
    PeerClient(const PeerClient&) = delete;
    PeerClient& operator=(const PeerClient&) = delete;

    // Sends one command line and returns the reply after "OK " (throws on "ERR").
    std::string command(const std::string& line);

    void openPort(int com) { command("open " + std::to_string(com)); }
    void closePort(int com) { command("close " + std::to_string(com)); }
    void send(int com, const std::vector<unsigned char>& bytes, int delayMs = 0);
    std::vector<unsigned char> receive(int com, size_t count, int timeoutMs);
    unsigned speed(int com);
    void setSpeed(int com, unsigned baud);

private:
    unsigned long long socket_;
};

}  // namespace pvtest

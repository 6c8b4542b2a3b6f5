// Talks to a Linux-side control channel: the peer (pvpeer) whose address the test runner puts in
// PV_PEER, or a camera simulator that the peer started.
#pragma once

#include <string>
#include <vector>

namespace pvtest {

class PeerClient {
public:
    PeerClient();                      // connects to PV_PEER; throws std::runtime_error on failure
    explicit PeerClient(const std::string& address);   // "127.0.0.1:PORT"
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

    struct Simulator {
        std::string control;   // address of its control channel
        std::string cardDir;   // its card image folder, as a Windows path
    };
    // A camera simulator on COM<com> with a fresh card image made from seed.
    Simulator startSimulator(int com, unsigned seed, const std::string& simArgs = "");
    void stopSimulator(int com) { command("unsim " + std::to_string(com)); }

private:
    void connectTo(const std::string& address);
    unsigned long long socket_;
};

}  // namespace pvtest

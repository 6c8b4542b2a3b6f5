// The control server of pvpeer: one thread per client, one reader thread per linked port.
#pragma once

#include "PseudoTerminal.h"
#include "SimulatorLauncher.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pvpty {

class PeerServer {
public:
    PeerServer(std::string winePrefix, std::string binDir, std::string workDir)
        : prefix_(winePrefix), simulators_(std::move(winePrefix), std::move(binDir), std::move(workDir)) {}
    ~PeerServer();
    int run(const std::string& portFile);   // serves until killed

private:
    struct Port {
        std::unique_ptr<PseudoTerminal> pty;
        std::mutex lock;
        std::condition_variable arrived;
        std::vector<unsigned char> received;
        bool stop = false;
        bool echo = false;    // write back whatever arrives
        std::thread reader;
    };

    void serveClient(int fd);
    std::string execute(const std::string& line);
    std::shared_ptr<Port> find(int com);
    std::string openPort(int com);
    std::string closePort(int com);
    std::string send(int com, const std::string& hex, int delayMs);
    std::string receive(int com, size_t count, int timeoutMs);
    static void pump(const std::shared_ptr<Port>& port);

    std::string prefix_;
    std::mutex portsLock_;
    std::map<int, std::shared_ptr<Port>> ports_;
    SimulatorLauncher simulators_;
};

}  // namespace pvpty

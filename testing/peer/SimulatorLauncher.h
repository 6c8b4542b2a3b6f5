// Starts camera simulators for the Windows tests: each on a fresh card image made from a seed,
// linked into the Wine prefix as COM<N>, ended when the test asks or when pvpeer goes.
#pragma once

#include <condition_variable>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace pvpty {

class SimulatorLauncher {
public:
    // Card images are made in workDir, which the caller removes.
    SimulatorLauncher(std::string winePrefix, std::string binDir, std::string workDir);
    ~SimulatorLauncher();

    // Returns "CONTROL_PORT CARD_DIR" or throws std::runtime_error.
    std::string start(int com, unsigned seed, const std::string& extraArgs);
    void stop(int com);

private:
    std::string prefix_;
    std::string binDir_;
    std::string workDir_;
    std::mutex lock_;
    std::map<int, pid_t> running_;

    void serveSpawns();
    pid_t spawnFromLauncher(const std::vector<std::string>& args);
    std::mutex spawnLock_;
    std::condition_variable spawnWake_, spawnDone_;
    const std::vector<std::string>* spawnArgs_ = nullptr;
    std::promise<pid_t>* spawnRequest_ = nullptr;
    bool spawnerStop_ = false;
    std::thread spawner_;   // last: it starts once the rest is made
};

}  // namespace pvpty

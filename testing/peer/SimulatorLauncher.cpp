#include "SimulatorLauncher.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace pvpty {
namespace {

// Runs a program; the child ends with pvpeer if pvpeer dies first.
pid_t spawn(const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

bool waitExit(pid_t pid, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::string readPort(const std::string& file, pid_t pid) {
    for (int i = 0; i < 500; ++i) {
        std::ifstream in(file);
        std::string port;
        if (in >> port) return port;
        if (waitpid(pid, nullptr, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw std::runtime_error("the simulator did not start");
}

}  // namespace

SimulatorLauncher::SimulatorLauncher(std::string winePrefix, std::string binDir, std::string workDir)
    : prefix_(std::move(winePrefix)), binDir_(std::move(binDir)), workDir_(std::move(workDir)) {}

SimulatorLauncher::~SimulatorLauncher() {
    for (auto& [com, pid] : running_) {
        kill(pid, SIGTERM);
        if (!waitExit(pid, 3000)) kill(pid, SIGKILL);
    }
}

std::string SimulatorLauncher::start(int com, unsigned seed, const std::string& extraArgs) {
    stop(com);
    std::string card = workDir_ + "/com" + std::to_string(com);
    std::system(("rm -rf '" + card + "'").c_str());
    pid_t gen = spawn({binDir_ + "/pvcardgen", "--seed", std::to_string(seed), "--out", card});
    int status = 0;
    if (waitpid(gen, &status, 0) != gen || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("pvcardgen failed");

    std::string portFile = card + ".port";
    unlink(portFile.c_str());
    std::vector<std::string> args = {binDir_ + "/pvsim", "--card", card, "--wineprefix", prefix_,
                                     "--com", std::to_string(com), "--port-file", portFile};
    std::istringstream extra(extraArgs);
    for (std::string a; extra >> a;) args.push_back(a);
    pid_t sim = spawn(args);
    std::string port = readPort(portFile, sim);
    std::lock_guard g(lock_);
    running_[com] = sim;
    return port + " " + card;
}

void SimulatorLauncher::stop(int com) {
    pid_t pid;
    {
        std::lock_guard g(lock_);
        auto it = running_.find(com);
        if (it == running_.end()) return;
        pid = it->second;
        running_.erase(it);
    }
    kill(pid, SIGTERM);
    if (!waitExit(pid, 3000)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

}  // namespace pvpty

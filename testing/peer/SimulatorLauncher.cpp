#include "SimulatorLauncher.h"

#include <chrono>
#include <csignal>
#include <filesystem>
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

// Runs a program; the child ends when the thread that started it ends (the launcher's own, which
// lives as long as pvpeer). The child of a threaded process only calls what is safe after a fork:
// its arguments are made before.
pid_t spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);   // the parent went before the signal was armed
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
    : prefix_(std::move(winePrefix)), binDir_(std::move(binDir)), workDir_(std::move(workDir)),
      spawner_([this] { serveSpawns(); }) {}

SimulatorLauncher::~SimulatorLauncher() {
    {
        std::lock_guard g(spawnLock_);
        spawnerStop_ = true;
    }
    spawnWake_.notify_all();
    spawner_.join();
    for (auto& [com, pid] : running_) {
        kill(pid, SIGTERM);
        if (!waitExit(pid, 3000)) kill(pid, SIGKILL);
    }
}

std::string SimulatorLauncher::start(int com, unsigned seed, const std::string& extraArgs) {
    stop(com);
    std::string card = workDir_ + "/com" + std::to_string(com);
    std::error_code ec;
    std::filesystem::remove_all(card, ec);
    if (ec) throw std::runtime_error("cannot remove the old card " + card + ": " + ec.message());
    pid_t gen = spawnFromLauncher({binDir_ + "/pvcardgen", "--seed", std::to_string(seed), "--out", card});
    int status = 0;
    if (waitpid(gen, &status, 0) != gen || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("pvcardgen failed");

    std::string portFile = card + ".port";
    unlink(portFile.c_str());
    std::vector<std::string> args = {binDir_ + "/pvsim", "--card", card, "--wineprefix", prefix_,
                                     "--com", std::to_string(com), "--port-file", portFile};
    std::istringstream extra(extraArgs);
    for (std::string a; extra >> a;) args.push_back(a);
    pid_t sim = spawnFromLauncher(args);
    std::string port = readPort(portFile, sim);
    std::lock_guard g(lock_);
    running_[com] = sim;
    return port + " " + card;
}

// The parent-death signal follows the thread that forked, not the process: a client's thread that
// starts a simulator and then ends would take the simulator with it. So every child is forked by
// this one thread, which ends only with the launcher.
void SimulatorLauncher::serveSpawns() {
    std::unique_lock g(spawnLock_);
    for (;;) {
        spawnWake_.wait(g, [this] { return spawnerStop_ || spawnRequest_; });
        if (spawnerStop_) return;
        spawnRequest_->set_value(spawn(*spawnArgs_));
        spawnRequest_ = nullptr;
        spawnDone_.notify_all();
    }
}

pid_t SimulatorLauncher::spawnFromLauncher(const std::vector<std::string>& args) {
    std::promise<pid_t> started;
    std::future<pid_t> pid = started.get_future();
    {
        std::unique_lock g(spawnLock_);
        spawnDone_.wait(g, [this] { return !spawnRequest_; });
        spawnArgs_ = &args;
        spawnRequest_ = &started;
    }
    spawnWake_.notify_all();
    pid_t child = pid.get();
    if (child < 0) throw std::runtime_error("cannot start " + args.front());
    return child;
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

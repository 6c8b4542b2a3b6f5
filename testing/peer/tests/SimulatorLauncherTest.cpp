// The peer's simulators: they live until the peer stops them, whichever of its threads started them.
#include "SimulatorLauncher.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

bool Alive(pid_t pid) { return kill(pid, 0) == 0; }

// The pid of the simulator on a card folder, from the process table: its command line names the card.
pid_t SimulatorOf(const std::string& card) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream in(entry.path() / "cmdline");
        std::string line((std::istreambuf_iterator<char>(in)), {});
        if (line.find("pvsim") != std::string::npos && line.find(card) != std::string::npos)
            return static_cast<pid_t>(std::stoi(entry.path().filename().string()));
    }
    return 0;
}

}  // namespace

TEST(SimulatorLauncher, ASimulatorOutlivesTheThreadThatStartedItAndGoesWithTheLauncher) {
    std::filesystem::path work = std::filesystem::path(testing::TempDir()) / "launcher";
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work / "prefix");
    pid_t sim = 0;
    {
        pvpty::SimulatorLauncher launcher((work / "prefix").string(), PV_SIM_BIN_DIR, work.string());
        std::string reply;
        std::thread client([&] { reply = launcher.start(3, 1, "--no-throttle"); });
        client.join();
        std::string port, card;
        std::istringstream(reply) >> port >> card;
        sim = SimulatorOf(card);
        ASSERT_NE(0, sim) << reply;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(Alive(sim)) << "the simulator ended with the client's thread";
        // A second start on the same port replaces the card folder, removed without a shell.
        std::filesystem::create_directories(std::filesystem::path(card) / "LEFTOVER");
        reply = launcher.start(3, 2, "--no-throttle");
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(card) / "LEFTOVER"));
    }
    EXPECT_FALSE(Alive(sim));
    std::filesystem::remove_all(work);
}

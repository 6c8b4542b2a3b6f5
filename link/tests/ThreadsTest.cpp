// Threads of one process sharing one port: opens, operations and closes from several threads at
// once leave one consistent port object, and an object one thread uses is never deleted under it.
#include "LinkFixture.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 150;

struct Tally {
    std::atomic<int> opens{0}, closes{0}, exceptions{0}, badResults{0};
};

// One thread's share: open, use and close the port, each open matched by a close.
void UseThePort(Tally& tally) {
    for (int round = 0; round < kRounds; ++round) {
        try {
            if (!CommOpen(kPort)) {
                ++tally.badResults;
                continue;
            }
            ++tally.opens;
            BYTE byte = static_cast<BYTE>(round);
            DWORD done = 0;
            if (!CommIsOpen(kPort) || !CommWrite(kPort, &byte, 1, &done) || !CommRead(kPort, &byte, 0, &done) ||
                !CommPurge(kPort))
                ++tally.badResults;
            COMSTAT status;
            CommGetStatus(kPort, &status, nullptr, nullptr, nullptr);
            DWORD closed = CommClose(kPort);
            DWORD location = 0;
            // A close that leaves the port to other threads answers 0 with location 0.
            if (!closed && CommGetStatus(kPort, nullptr, nullptr, nullptr, &location) && location != kLocSuccess)
                ++tally.badResults;
            ++tally.closes;
        } catch (const CCommPortException&) {
            ++tally.exceptions;
        }
    }
}

}  // namespace

TEST_F(LinkTest, ThreadsOpeningUsingAndClosingOnePortStayConsistent) {
    key.set("Timeout", 50);
    Tally tally;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) threads.emplace_back(UseThePort, std::ref(tally));
    for (auto& t : threads) t.join();
    EXPECT_EQ(0, tally.exceptions.load());
    EXPECT_EQ(0, tally.badResults.load());
    EXPECT_EQ(kThreads * kRounds, tally.opens.load());
    EXPECT_EQ(tally.opens.load(), tally.closes.load());
    // Every open was matched by a close: the port is closed and its object is gone.
    EXPECT_EQ(0u, CommIsOpen(kPort));
    EXPECT_EQ(0u, CommGetStatus(kPort, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, CommOpen(kPort));
    EXPECT_EQ(1u, CommClose(kPort));
}

// Reads, writes, purges and breaks on a port that the peer plays.
#include "LinkFixture.h"

#include <vector>

namespace {

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
    std::vector<BYTE> v;
    for (int x : values) v.push_back(static_cast<BYTE>(x));
    return v;
}

}  // namespace

class TransferTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        key.set("Timeout", 300);
        ASSERT_EQ(1u, CommOpen(kPort));
    }
};

TEST_F(TransferTest, WrittenBytesReachThePeer) {
    BYTE block[] = {0x41, 0x00, 0x11, 0x52, 0x00, 0x00, 0x00, 0x1A};
    DWORD done = 0;
    ASSERT_EQ(1u, CommWrite(kPort, block, sizeof block, &done));
    EXPECT_EQ(8u, done);
    EXPECT_EQ(std::vector<BYTE>(block, block + 8), peer.receive(kCom, 8, 2000));
}

TEST_F(TransferTest, ReadCompletesOverSeveralAttempts) {
    peer.send(kCom, Bytes({1, 2, 3, 4, 5}));
    peer.send(kCom, Bytes({6, 7, 8}), 450);   // after the first attempt's 308 ms
    BYTE buffer[8] = {};
    DWORD done = 0;
    ASSERT_EQ(1u, CommRead(kPort, buffer, 8, &done));
    EXPECT_EQ(8u, done);
    EXPECT_EQ(Bytes({1, 2, 3, 4, 5, 6, 7, 8}), std::vector<BYTE>(buffer, buffer + 8));
    EXPECT_EQ(kLocSuccess, Location());
}

TEST_F(TransferTest, ReadShortAfterThreeAttemptsFailsWithWhatArrived) {
    peer.send(kCom, Bytes({1, 2, 3, 4, 5}));
    BYTE buffer[8] = {};
    DWORD done = 0;
    long long ms = ElapsedMs([&] { EXPECT_EQ(0u, CommRead(kPort, buffer, 8, &done)); });
    EXPECT_EQ(5u, done);
    EXPECT_EQ(kLocReadMissing, Location());
    // Three attempts, each bounded by the time-out constant plus 1 ms a byte.
    EXPECT_GE(ms, 3 * 300 - 50);
    EXPECT_LT(ms, 3 * (300 + 8) + 2000);
}

TEST_F(TransferTest, PurgeDropsWaitingInput) {
    peer.send(kCom, Bytes({9, 9, 9}));
    Sleep(200);
    EXPECT_EQ(1u, CommPurge(kPort));
    peer.send(kCom, Bytes({7}));
    BYTE b = 0;
    DWORD done = 0;
    ASSERT_EQ(1u, CommRead(kPort, &b, 1, &done));
    EXPECT_EQ(7, b);
}

TEST_F(TransferTest, BreakLastsTheRequestedTime) {
    long long ms = ElapsedMs([] { EXPECT_EQ(1u, CommSendBreak(kPort, 200)); });
    EXPECT_GE(ms, 190);
    EXPECT_EQ(kLocSuccess, Location());
}

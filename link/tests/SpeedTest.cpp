// Line speed: capping by the driver's maximum, the six supported rates, framing.
#include "LinkFixture.h"
#include "SpeedTable.h"
#include "UniqueHandle.h"

#include <utility>

using pvlink::IsSupportedSpeed;
using pvlink::TopSpeedForMaxBaud;

TEST(SpeedTable, TopSpeedFollowsTheDriversMaximum) {
    EXPECT_EQ(9600u, TopSpeedForMaxBaud(BAUD_9600));
    EXPECT_EQ(9600u, TopSpeedForMaxBaud(BAUD_14400));
    EXPECT_EQ(19200u, TopSpeedForMaxBaud(BAUD_19200));
    EXPECT_EQ(38400u, TopSpeedForMaxBaud(BAUD_38400));
    EXPECT_EQ(38400u, TopSpeedForMaxBaud(BAUD_56K));
    EXPECT_EQ(57600u, TopSpeedForMaxBaud(BAUD_57600));
    EXPECT_EQ(115200u, TopSpeedForMaxBaud(BAUD_115200));
    EXPECT_EQ(115200u, TopSpeedForMaxBaud(BAUD_128K));
    EXPECT_EQ(230400u, TopSpeedForMaxBaud(BAUD_USER));
    EXPECT_EQ(230400u, TopSpeedForMaxBaud(0));
}

TEST(SpeedTable, OnlyTheSixRatesAreSupported) {
    for (DWORD baud : {9600u, 19200u, 38400u, 57600u, 115200u, 230400u}) EXPECT_TRUE(IsSupportedSpeed(baud));
    for (DWORD baud : {0u, 4800u, 14400u, 28800u, 56000u, 128000u, 460800u}) EXPECT_FALSE(IsSupportedSpeed(baud));
}

class SpeedTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        ASSERT_EQ(1u, CommOpen(kPort));
    }
};

// The driver's maximum and the speed the link then sets, as the link's documentation lists them.
constexpr std::pair<DWORD, DWORD> kTopSpeeds[] = {
    {BAUD_9600, 9600},   {BAUD_14400, 9600},   {BAUD_19200, 19200}, {BAUD_38400, 38400},
    {BAUD_56K, 38400},   {BAUD_57600, 57600},  {BAUD_128K, 115200}, {BAUD_115200, 115200},
};

TEST_F(LinkTest, RequestAboveTheDriversMaximumIsCapped) {
    pv::UniqueHandle h(CreateFileA("COM1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(h);
    COMMPROP properties{};
    ASSERT_TRUE(GetCommProperties(h.get(), &properties));
    h.reset();
    DWORD expected = 230400;   // any other maximum, BAUD_USER included
    for (auto [maxBaud, top] : kTopSpeeds)
        if (properties.dwMaxBaud == maxBaud) expected = top;
    ASSERT_EQ(1u, CommOpen(kPort));
    ASSERT_EQ(1u, CommSetSpeed(kPort, 921600));
    EXPECT_EQ(expected, peer.speed(kCom)) << "driver maximum " << properties.dwMaxBaud;
}

TEST_F(SpeedTest, SupportedSpeedsReachTheLine) {
    for (DWORD baud : {9600u, 19200u, 38400u, 57600u, 115200u}) {
        ASSERT_EQ(1u, CommSetSpeed(kPort, baud));
        EXPECT_EQ(baud, peer.speed(kCom));
        DWORD got = 0;
        ASSERT_EQ(1u, CommGetSpeed(kPort, &got));
        EXPECT_EQ(baud, got);
    }
}

TEST_F(SpeedTest, UnsupportedSpeedLeavesTheRateAndSucceeds) {
    ASSERT_EQ(1u, CommSetSpeed(kPort, 57600));
    EXPECT_EQ(1u, CommSetSpeed(kPort, 14400));
    EXPECT_EQ(kLocSuccess, Location());
    EXPECT_EQ(57600u, peer.speed(kCom));
}

TEST_F(SpeedTest, RateSetByAnotherProgramIsNotReported) {
    peer.setSpeed(kCom, 4800);
    DWORD baud = 12345;
    EXPECT_EQ(0u, CommGetSpeed(kPort, &baud));
    EXPECT_EQ(kLocGetSpeedUnlisted, Location());
    EXPECT_EQ(12345u, baud);
}

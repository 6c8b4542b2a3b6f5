// The registry values "LockDelay" and "Timeout", read again before every operation.
#include "LinkFixture.h"

namespace {

DWORD ReadConstant() {
    BYTE b = 0;
    DWORD done = 0;
    CommRead(kPort, &b, 0, &done);   // applies the working time-outs
    COMMTIMEOUTS t{};
    EXPECT_EQ(1u, CommGetTimeouts(kPort, &t));
    EXPECT_EQ(t.ReadTotalTimeoutConstant, t.WriteTotalTimeoutConstant);
    return t.ReadTotalTimeoutConstant;
}

}  // namespace

TEST_F(LinkTest, TimeoutComesFromTheRegistryBeforeEachOperation) {
    pvtest::deleteMachineKey(pvtest::kLinkKey);
    ASSERT_EQ(1u, CommOpen(kPort));
    EXPECT_EQ(3000u, ReadConstant());    // key absent: the initial constant
    key.create();
    EXPECT_EQ(5000u, ReadConstant());    // key without the value: its default
    key.set("Timeout", 1234);
    EXPECT_EQ(1234u, ReadConstant());
    pvtest::deleteMachineKey(pvtest::kLinkKey);
    EXPECT_EQ(1234u, ReadConstant());    // key gone again: the last value stays
    COMMTIMEOUTS t{};
    ASSERT_EQ(1u, CommGetTimeouts(kPort, &t));
    EXPECT_EQ(0u, t.ReadIntervalTimeout);
    EXPECT_EQ(1u, t.ReadTotalTimeoutMultiplier);
    EXPECT_EQ(1u, t.WriteTotalTimeoutMultiplier);
}

TEST_F(LinkTest, LockDelayIsSleptBeforeEachOperation) {
    ASSERT_EQ(1u, CommOpen(kPort));
    EXPECT_LT(ElapsedMs([] { CommIsOpen(kPort); }), 1000);
    key.set("LockDelay", 150);
    EXPECT_GE(ElapsedMs([] { CommIsOpen(kPort); }), 140);
    EXPECT_GE(ElapsedMs([] { CommPurge(kPort); }), 140);
}

TEST_F(LinkTest, SettingsBeyondTheirBoundsAreTakenAsTheBounds) {
    ASSERT_EQ(1u, CommOpen(kPort));
    key.set("Timeout", 0xFFFFFFFF);
    EXPECT_EQ(60000u, ReadConstant());
    key.set("Timeout", 60001);
    EXPECT_EQ(60000u, ReadConstant());
    key.set("LockDelay", 0xFFFFFFFF);
    long long ms = ElapsedMs([] { EXPECT_EQ(1u, CommIsOpen(kPort)); });
    EXPECT_GE(ms, 9900);
    EXPECT_LT(ms, 12000);
}

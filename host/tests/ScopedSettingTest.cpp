// A tuning value set for a measurement (copybench's "LockDelay") gives the user's settings back.
#include "RegKey.h"
#include "RegistryFixture.h"

#include <gtest/gtest.h>

namespace {

std::optional<DWORD> LinkValue(const char* name) {
    return pv::RegKey::open(HKEY_LOCAL_MACHINE, pvtest::kLinkKey).dword(name);
}

}  // namespace

TEST(ScopedMachineDword, RestoresTheUsersValuesAndRemovesOnlyWhatItAdded) {
    pvtest::ScopedLinkKey clean;
    clean.set("Timeout", 700);
    clean.set("ShowConnectionProgress", 1);
    {
        pvtest::ScopedMachineDword delay(pvtest::kLinkKey, "LockDelay", 0);
        EXPECT_EQ(0u, LinkValue("LockDelay"));
    }
    EXPECT_FALSE(LinkValue("LockDelay"));
    EXPECT_EQ(700u, LinkValue("Timeout"));
    EXPECT_EQ(1u, LinkValue("ShowConnectionProgress"));

    clean.set("LockDelay", 40);
    { pvtest::ScopedMachineDword delay(pvtest::kLinkKey, "LockDelay", 25); }
    EXPECT_EQ(40u, LinkValue("LockDelay"));
}

TEST(ScopedMachineDword, AKeyItMadeGoesAgain) {
    pvtest::ScopedLinkKey clean;
    { pvtest::ScopedMachineDword delay(pvtest::kLinkKey, "LockDelay", 25); }
    EXPECT_FALSE(pv::RegKey::open(HKEY_LOCAL_MACHINE, pvtest::kLinkKey));
}

TEST(ScopedMachineDword, ParentKeysItMadeGoAgain) {
    constexpr const char* kOuter = "SOFTWARE\\PV Scoped Setting Test";
    constexpr const char* kInner = "SOFTWARE\\PV Scoped Setting Test\\Inner\\Innermost";
    pvtest::deleteMachineKey(kOuter);
    { pvtest::ScopedMachineDword value(kInner, "Value", 1); }
    EXPECT_FALSE(pv::RegKey::open(HKEY_LOCAL_MACHINE, kOuter));
    EXPECT_TRUE(pv::RegKey::open(HKEY_LOCAL_MACHINE, "SOFTWARE"));
}

// What the capabilities feed into the acquire bridge, and the capabilities that follow the pending
// picture: the list built from this program's copy of the capability resources.
#include "BridgeSettings.h"
#include "CapabilityNegotiation.h"
#include "GlobalMemory.h"
#include "SourceSession.h"

#include <gtest/gtest.h>

using source::BridgeSettings;
using source::CapabilityContainer;
using source::CapabilityList;

namespace {

class CapabilityValuesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(list.Load(GetModuleHandleA(nullptr))); }

    // MSG_SET of a one-value, as an application offers it.
    source::Code SetOne(TW_UINT16 cap, TW_UINT16 itemType, uint32_t item) {
        pv::GlobalBlock offered(sourcetest::OneValue(itemType, item));
        TW_CAPABILITY capability{cap, TWON_ONEVALUE, offered.get()};
        return source::HandleCapability(list, MSG_SET, &capability);
    }
    BridgeSettings Read() {
        BridgeSettings settings;
        settings.dialog = reinterpret_cast<HWND>(uintptr_t(0x1234));
        source::ReadCapabilities(list, &settings);
        EXPECT_EQ(reinterpret_cast<HWND>(uintptr_t(0x1234)), settings.dialog);
        return settings;
    }

    CapabilityList list;
};

}  // namespace

TEST_F(CapabilityValuesTest, BridgeFollowsTheCurrentValues) {
    BridgeSettings defaults = Read();
    EXPECT_EQ(-1, defaults.transferCount);
    EXPECT_EQ(TWPT_RGB, defaults.pixelType);
    EXPECT_EQ(1u, defaults.indicators);

    ASSERT_EQ(source::kOk, SetOne(CAP_XFERCOUNT, TWTY_INT16, 5));
    ASSERT_EQ(source::kOk, SetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY));
    ASSERT_EQ(source::kOk, SetOne(CAP_INDICATORS, TWTY_BOOL, 0));
    BridgeSettings set = Read();
    EXPECT_EQ(5, set.transferCount);
    EXPECT_EQ(TWPT_GRAY, set.pixelType);
    EXPECT_EQ(0u, set.indicators);

    // A range's current value is the count.
    TW_RANGE range{TWTY_INT16, uint32_t(-1), 20, 1, 3, 7};
    pv::GlobalBlock offered(sourcetest::Container(&range, sizeof range));
    TW_CAPABILITY capability{CAP_XFERCOUNT, TWON_RANGE, offered.get()};
    ASSERT_EQ(source::kOk, source::HandleCapability(list, MSG_SET, &capability));
    EXPECT_EQ(7, Read().transferCount);
}

TEST_F(CapabilityValuesTest, PixelTypesTheTransfersDoNotKnowBecomeRgb) {
    source::CapabilityEntry* pixelType = list.Find(ICAP_PIXELTYPE);
    ASSERT_NE(nullptr, pixelType);
    for (auto [value, expected] : {std::pair<uint16_t, uint16_t>{TWPT_BW, TWPT_RGB}, {TWPT_PALETTE, TWPT_PALETTE},
                                   {TWPT_CMY, TWPT_RGB}}) {
        pixelType->current = CapabilityContainer::OneValue(TWTY_UINT16, reinterpret_cast<const BYTE*>(&value), 2);
        EXPECT_EQ(expected, Read().pixelType) << value;
    }
}

TEST_F(CapabilityValuesTest, FlashFollowsThePendingPicture) {
    source::CapabilityEntry* flash = list.Find(ICAP_FLASHUSED);
    source::CapabilityEntry* timeDate = list.Find(CAP_TIMEDATE);
    ASSERT_NE(nullptr, flash);
    ASSERT_NE(nullptr, timeDate);
    auto timeDateBefore = timeDate->current;
    list.RefreshForPicture(true);
    EXPECT_EQ(TWON_ONEVALUE, flash->current->type());
    EXPECT_EQ(TWTY_BOOL, flash->current->itemType());
    EXPECT_EQ(0u, flash->current->U32(source::kOneValueItem));
    EXPECT_EQ(timeDateBefore, timeDate->current);
    list.RefreshForPicture(false);
    EXPECT_EQ(flash->defaultContainer, flash->current);
    EXPECT_EQ(TWON_ENUMERATION, flash->current->type());
}

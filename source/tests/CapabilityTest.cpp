// The capabilities as an application negotiates them: every default in its container, MSG_SET
// accepted and refused by container and item type, MSG_RESET and CAP_SUPPORTEDCAPS.
#include "GlobalMemory.h"
#include "SourceFixture.h"

#include <cstring>
#include <vector>

using sourcetest::Container;
using sourcetest::OneValue;

namespace {

// A container as the source answered it: its type and bytes.
struct Answer {
    TW_UINT16 rc = TWRC_FAILURE;
    TW_UINT16 type = 0;
    std::vector<BYTE> bytes;

    TW_UINT16 ItemType() const { return TW_UINT16(bytes[0] | bytes[1] << 8); }
    uint32_t U32(size_t offset) const {
        uint32_t v;
        std::memcpy(&v, &bytes[offset], 4);
        return v;
    }
    uint16_t U16(size_t offset) const { return uint16_t(bytes[offset] | bytes[offset + 1] << 8); }
    std::string Text() const { return reinterpret_cast<const char*>(&bytes[2]); }
};

constexpr uint32_t Fix32(int whole) { return uint32_t(uint16_t(whole)); }

class CapabilityTest : public SourceTest {
protected:
    Answer Ask(TW_UINT16 cap, TW_UINT16 message) {
        TW_CAPABILITY capability{cap, TWON_DONTCARE16, nullptr};
        Answer answer;
        answer.rc = Send(DG_CONTROL, DAT_CAPABILITY, message, &capability);
        if (answer.rc != TWRC_SUCCESS) return answer;
        EXPECT_EQ(cap, capability.Cap);
        pv::GlobalBlock block(capability.hContainer);
        pv::LockedGlobal bytes(block.get());
        answer.type = capability.ConType;
        answer.bytes.assign(bytes.as<BYTE>(), bytes.as<BYTE>() + bytes.size());
        return answer;
    }
    // MSG_SET with a container the test built; the answer's condition code (0 on success).
    TW_UINT16 Offer(TW_UINT16 cap, TW_UINT16 type, HGLOBAL container) {
        pv::GlobalBlock owned(container);
        TW_CAPABILITY capability{cap, type, container};
        TW_UINT16 rc = Send(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
        TW_UINT16 cc = ConditionCode();
        EXPECT_EQ(rc == TWRC_SUCCESS, cc == TWCC_SUCCESS);
        return cc;
    }
    TW_UINT16 OfferOne(TW_UINT16 cap, TW_UINT16 itemType, uint32_t item) {
        return Offer(cap, TWON_ONEVALUE, OneValue(itemType, item));
    }
    TW_UINT16 OfferEnumeration(TW_UINT16 cap, TW_UINT16 itemType, std::vector<uint16_t> items, uint32_t current = 0,
                               uint32_t defaultIndex = 0) {
        std::vector<BYTE> bytes(14 + items.size() * 2);
        std::memcpy(&bytes[0], &itemType, 2);
        uint32_t header[3] = {uint32_t(items.size()), current, defaultIndex};
        std::memcpy(&bytes[2], header, 12);
        std::memcpy(&bytes[14], items.data(), items.size() * 2);
        return Offer(cap, TWON_ENUMERATION, Container(bytes.data(), bytes.size()));
    }
    TW_UINT16 OfferRange(TW_UINT16 cap, TW_UINT16 itemType, int32_t min, int32_t max, uint32_t step, int32_t def, int32_t cur) {
        TW_RANGE range{itemType, uint32_t(min), uint32_t(max), step, uint32_t(def), uint32_t(cur)};
        return Offer(cap, TWON_RANGE, Container(&range, sizeof range));
    }
};

struct OneValueDefault {
    TW_UINT16 cap, itemType;
    uint32_t item;
};

struct EnumerationDefault {
    TW_UINT16 cap, itemType;
    std::vector<uint16_t> items;
    uint32_t current, defaultIndex;
};

}  // namespace

TEST_F(CapabilityTest, EveryDefaultInItsContainer) {
    for (OneValueDefault d : {OneValueDefault{ICAP_COMPRESSION, TWTY_UINT16, 0}, {ICAP_UNITS, TWTY_UINT16, 5},
                              {CAP_UICONTROLLABLE, TWTY_BOOL, 2}, {CAP_DEVICEONLINE, TWTY_BOOL, 2},
                              {ICAP_IMAGEFILEFORMAT, TWTY_UINT16, 2}, {ICAP_PHYSICALWIDTH, TWTY_FIX32, Fix32(1280)},
                              {ICAP_PHYSICALHEIGHT, TWTY_FIX32, Fix32(960)}, {ICAP_XNATIVERESOLUTION, TWTY_FIX32, Fix32(1)},
                              {ICAP_YNATIVERESOLUTION, TWTY_FIX32, Fix32(1)}, {ICAP_XRESOLUTION, TWTY_FIX32, Fix32(1)},
                              {ICAP_YRESOLUTION, TWTY_FIX32, Fix32(1)}, {ICAP_BITORDER, TWTY_UINT16, 0},
                              {ICAP_PIXELFLAVOR, TWTY_UINT16, 1}, {ICAP_PLANARCHUNKY, TWTY_UINT16, 0},
                              {ICAP_BITORDERCODES, TWTY_UINT16, 0}, {ICAP_PIXELFLAVORCODES, TWTY_UINT16, 1},
                              {ICAP_BITDEPTH, TWTY_UINT16, 24}}) {
        for (TW_UINT16 message : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
            Answer a = Ask(d.cap, message);
            ASSERT_EQ(TWRC_SUCCESS, a.rc) << d.cap;
            EXPECT_EQ(TWON_ONEVALUE, a.type) << d.cap;
            EXPECT_EQ(d.itemType, a.ItemType()) << d.cap;
            EXPECT_EQ(d.item, a.U32(2)) << d.cap;
        }
    }
    for (auto [cap, type, text, size] : {std::tuple{CAP_AUTHOR, TWTY_STR128, "Brisway Orvik Company Ltd.", 132},
                                         {CAP_CAPTION, TWTY_STR255, "Orvik PV350 Photo Portal", 258},
                                         {CAP_TIMEDATE, TWTY_STR32, "", 36}}) {
        Answer a = Ask(cap, MSG_GET);
        ASSERT_EQ(TWRC_SUCCESS, a.rc) << cap;
        EXPECT_EQ(TWON_ONEVALUE, a.type);
        EXPECT_EQ(type, a.ItemType());
        EXPECT_EQ(text, a.Text());
        EXPECT_EQ(size_t(size), a.bytes.size());
    }
    for (const EnumerationDefault& d : {EnumerationDefault{0x0002, TWTY_UINT16, {1, 2, 3, 4}, 0, 0},
                                        {ICAP_PIXELTYPE, TWTY_UINT16, {2, 1, 3}, 0, 0},
                                        {ICAP_XFERMECH, TWTY_UINT16, {0, 1, 2}, 0, 0},
                                        {CAP_INDICATORS, TWTY_BOOL, {1, 0}, 0, 0},
                                        {ICAP_AUTOBRIGHT, TWTY_BOOL, {1, 0}, 1, 1},
                                        {ICAP_FLASHUSED, TWTY_BOOL, {1, 0}, 1, 1}}) {
        Answer a = Ask(d.cap, MSG_GET);
        ASSERT_EQ(TWRC_SUCCESS, a.rc) << d.cap;
        EXPECT_EQ(TWON_ENUMERATION, a.type) << d.cap;
        EXPECT_EQ(d.itemType, a.ItemType());
        ASSERT_EQ(d.items.size(), a.U32(2));
        EXPECT_EQ(d.current, a.U32(6));
        EXPECT_EQ(d.defaultIndex, a.U32(10));
        for (size_t i = 0; i < d.items.size(); ++i) EXPECT_EQ(d.items[i], a.U16(14 + 2 * i)) << d.cap << "/" << i;
        // The current and default values alone: one-values of the item type.
        for (TW_UINT16 message : {MSG_GETCURRENT, MSG_GETDEFAULT}) {
            Answer one = Ask(d.cap, message);
            EXPECT_EQ(TWON_ONEVALUE, one.type) << d.cap;
            EXPECT_EQ(d.itemType, one.ItemType());
            EXPECT_EQ(d.items[d.current], one.U32(2)) << d.cap;
        }
    }
    struct RangeDefault {
        TW_UINT16 cap, itemType;
        uint32_t min, max, step, def, cur;
    };
    for (RangeDefault d : {RangeDefault{CAP_XFERCOUNT, TWTY_INT16, 0xFFFFFFFF, 99, 1, 0xFFFFFFFF, 0xFFFFFFFF},
                           {ICAP_BRIGHTNESS, TWTY_FIX32, 0xFFFFFFFE, Fix32(2), Fix32(2), 0, 0}}) {
        Answer a = Ask(d.cap, MSG_GET);
        ASSERT_EQ(TWRC_SUCCESS, a.rc) << d.cap;
        EXPECT_EQ(TWON_RANGE, a.type);
        EXPECT_EQ(d.itemType, a.ItemType());
        EXPECT_EQ(22u, a.bytes.size());
        EXPECT_EQ((std::vector<uint32_t>{d.min, d.max, d.step, d.def, d.cur}),
                  (std::vector<uint32_t>{a.U32(2), a.U32(6), a.U32(10), a.U32(14), a.U32(18)}));
        Answer current = Ask(d.cap, MSG_GETCURRENT);
        EXPECT_EQ(TWON_ONEVALUE, current.type);
        EXPECT_EQ(d.itemType, current.ItemType());
    }
    EXPECT_EQ(0xFFFFu, Ask(CAP_XFERCOUNT, MSG_GETCURRENT).U32(2));   // -1 as INT16, widened
}

TEST_F(CapabilityTest, SupportedCapsListsTheLoadedOnesInOrder) {
    Answer a = Ask(CAP_SUPPORTEDCAPS, MSG_GET);
    ASSERT_EQ(TWRC_SUCCESS, a.rc);
    EXPECT_EQ(TWON_ARRAY, a.type);
    EXPECT_EQ(TWTY_UINT16, a.ItemType());
    const std::vector<uint16_t> expected = {0x0001, 0x0002, 0x0100, 0x0101, 0x0102, 0x0103, 0x1000, 0x1001, 0x1004, 0x100B,
                                            0x100E, 0x100F, 0x1100, 0x1101, 0x1107, 0x110C, 0x1111, 0x1112, 0x1116, 0x1117,
                                            0x1118, 0x1119, 0x111C, 0x111F, 0x1120, 0x1126, 0x1127, 0x112B};
    ASSERT_EQ(expected.size(), a.U32(2));
    std::vector<uint16_t> listed;
    for (size_t i = 0; i < expected.size(); ++i) listed.push_back(a.U16(6 + 2 * i));
    EXPECT_EQ(expected, listed);
    // Every one answers; the list can be neither set nor reset; others are unsupported.
    for (uint16_t cap : expected) EXPECT_EQ(TWRC_SUCCESS, Ask(cap, MSG_GET).rc) << cap;
    EXPECT_EQ(TWCC_CAPBADOPERATION, Offer(CAP_SUPPORTEDCAPS, TWON_ARRAY, Container(a.bytes.data(), a.bytes.size())));
    EXPECT_EQ(TWRC_FAILURE, Ask(CAP_SUPPORTEDCAPS, MSG_RESET).rc);
    EXPECT_EQ(TWCC_CAPBADOPERATION, ConditionCode());
    for (TW_UINT16 cap : {ICAP_CONTRAST, TW_UINT16(0x8005), ICAP_EXPOSURETIME}) {
        EXPECT_EQ(TWRC_FAILURE, Ask(cap, MSG_GET).rc) << cap;
        EXPECT_EQ(TWCC_CAPUNSUPPORTED, ConditionCode()) << cap;
    }
}

TEST_F(CapabilityTest, SetOnRangesAndEnumerations) {
    // CAP_XFERCOUNT, a range -1 to 99.
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(CAP_XFERCOUNT, TWTY_INT16, 5));
    EXPECT_EQ(5u, Ask(CAP_XFERCOUNT, MSG_GETCURRENT).U32(2));
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(CAP_XFERCOUNT, TWTY_INT32, 0xFFFFFFFF));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(CAP_XFERCOUNT, TWTY_INT16, 100));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(CAP_XFERCOUNT, TWTY_FIX32, 5));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(CAP_XFERCOUNT, TWTY_INT32, uint32_t(-2)));
    // A narrower range inside the default one.
    EXPECT_EQ(TWCC_SUCCESS, OfferRange(CAP_XFERCOUNT, TWTY_INT16, -1, 10, 1, 1, 1));
    EXPECT_EQ(TWON_RANGE, Ask(CAP_XFERCOUNT, MSG_GET).type);
    EXPECT_EQ(TWCC_BADVALUE, OfferRange(CAP_XFERCOUNT, TWTY_INT16, -1, 100, 1, 1, 1));
    EXPECT_EQ(TWCC_BADVALUE, OfferRange(CAP_XFERCOUNT, TWTY_INT16, -1, 10, 0, 1, 1));
    EXPECT_EQ(TWCC_BADVALUE, OfferRange(CAP_XFERCOUNT, TWTY_INT16, -1, 9, 2, 0, 1));   // 1 is no step from -1
    // Brightness: FIX32 only; the offered step a multiple of 2.0 and not below it.
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix32(0)));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_BRIGHTNESS, TWTY_INT32, 0));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix32(1)));

    // ICAP_PIXELTYPE, an enumeration of RGB, GRAY, PALETTE.
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY));
    EXPECT_EQ(uint32_t(TWPT_GRAY), Ask(ICAP_PIXELTYPE, MSG_GETCURRENT).U32(2));
    Answer defaults = Ask(ICAP_PIXELTYPE, MSG_GETDEFAULT);
    EXPECT_EQ(TWON_ENUMERATION, defaults.type);
    EXPECT_EQ(3u, defaults.U32(2));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW));
    EXPECT_EQ(TWCC_SUCCESS, OfferEnumeration(ICAP_PIXELTYPE, TWTY_UINT16, {TWPT_RGB, TWPT_GRAY}, 1, 0));
    EXPECT_EQ(uint32_t(TWPT_GRAY), Ask(ICAP_PIXELTYPE, MSG_GETCURRENT).U32(2));
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_PIXELTYPE, TWTY_UINT16, {2, 1, 3, 1}));    // more items
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_PIXELTYPE, TWTY_UINT16, {2, 0}));          // BW not offered
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_PIXELTYPE, TWTY_UINT16, {2, 1}, 2, 0));    // index past the end
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_PIXELTYPE, TWTY_UINT16, {2, 1}, 0, 5));
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_PIXELTYPE, TWTY_FIX32, {2, 0, 1, 0}));
    // BOOL capabilities take integers, and BOOL items too.
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(CAP_INDICATORS, TWTY_BOOL, 0));
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(CAP_INDICATORS, TWTY_UINT16, 1));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(CAP_INDICATORS, TWTY_UINT16, 2));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(CAP_INDICATORS, TWTY_STR32, 1));
}

TEST_F(CapabilityTest, SetOnOneValuesStringsAndResets) {
    // Not settable until reset.
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_UNITS, TWTY_UINT16, TWUN_PIXELS));
    Answer reset = Ask(ICAP_UNITS, MSG_RESET);
    EXPECT_EQ(TWRC_SUCCESS, reset.rc);
    EXPECT_EQ(5u, reset.U32(2));
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(ICAP_UNITS, TWTY_UINT16, TWUN_PIXELS));
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(ICAP_UNITS, TWTY_INT8, 3));
    Answer units = Ask(ICAP_UNITS, MSG_GET);
    EXPECT_EQ(TWTY_UINT16, units.ItemType());   // the default's item type, the offered value
    EXPECT_EQ(3u, units.U32(2));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_UNITS, TWTY_FIX32, 3));
    // A FIX32 one-value takes FIX32 alone; a one-value default takes no enumeration.
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix32(2)));   // not settable
    Ask(ICAP_XRESOLUTION, MSG_RESET);
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix32(2)));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_XRESOLUTION, TWTY_UINT32, 2));
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_UNITS, TWTY_UINT16, {5}));

    // Strings: a shorter string type fits a longer default, not the other way round.
    TW_UINT16 str32 = TWTY_STR32;
    std::vector<BYTE> author(2 + 34, 0);
    std::memcpy(&author[0], &str32, 2);
    std::strcpy(reinterpret_cast<char*>(&author[2]), "A. Photographer");
    EXPECT_EQ(TWCC_SUCCESS, Offer(CAP_AUTHOR, TWON_ONEVALUE, Container(author.data(), author.size())));
    Answer a = Ask(CAP_AUTHOR, MSG_GET);
    EXPECT_EQ(TWTY_STR128, a.ItemType());
    EXPECT_EQ("A. Photographer", a.Text());
    std::vector<BYTE> caption(2 + 256, 0);
    TW_UINT16 str255 = TWTY_STR255;
    std::memcpy(&caption[0], &str255, 2);
    EXPECT_EQ(TWCC_BADVALUE, Offer(CAP_AUTHOR, TWON_ONEVALUE, Container(caption.data(), caption.size())));
    // Reset brings the default back.
    EXPECT_EQ("Brisway Orvik Company Ltd.", Ask(CAP_AUTHOR, MSG_RESET).Text());
    EXPECT_EQ("Brisway Orvik Company Ltd.", Ask(CAP_AUTHOR, MSG_GET).Text());
}

TEST_F(CapabilityTest, BadContainersChangeNothing) {
    EXPECT_EQ(TWCC_SUCCESS, OfferOne(CAP_XFERCOUNT, TWTY_INT16, 7));
    EXPECT_EQ(TWCC_BADVALUE, Offer(CAP_XFERCOUNT, 2, OneValue(TWTY_INT16, 3)));        // no such container
    EXPECT_EQ(TWCC_BADVALUE, Offer(CAP_XFERCOUNT, 7, OneValue(TWTY_INT16, 3)));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(CAP_XFERCOUNT, 13, 3));                          // no such item type
    EXPECT_EQ(TWCC_BADVALUE, OfferEnumeration(ICAP_PIXELTYPE, TWTY_UINT16, {}));
    // An enumeration that claims far more items than its block holds.
    std::vector<BYTE> bogus(16, 0);
    bogus[0] = TWTY_UINT16;
    uint32_t huge = 0x40000000;
    std::memcpy(&bogus[2], &huge, 4);
    EXPECT_EQ(TWCC_BADVALUE, Offer(ICAP_PIXELTYPE, TWON_ENUMERATION, Container(bogus.data(), bogus.size())));
    EXPECT_EQ(TWCC_BADVALUE, Offer(CAP_XFERCOUNT, TWON_ONEVALUE, nullptr));
    EXPECT_EQ(7u, Ask(CAP_XFERCOUNT, MSG_GETCURRENT).U32(2));
    EXPECT_EQ(TWCC_BADVALUE, OfferOne(ICAP_COMPRESSION, TWTY_UINT16, 0));   // not settable
}

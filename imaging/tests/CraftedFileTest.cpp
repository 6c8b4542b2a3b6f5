// Files made to exhaust the host's memory: property values that claim far more than their stream
// holds, or that many entries share, are refused with a result code while the file opens.
#include "FpxTestWriter.h"
#include "NIFPropSection.h"
#include "ParseBudget.h"
#include "ToolkitFixture.h"

#include <algorithm>

#include <windows.h>
#include <psapi.h>

namespace {

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory.PeakWorkingSetSize;
}

}  // namespace

TEST_F(ToolkitTest, ACraftedPropertyStreamIsRefusedWithinItsBudget) {
    const std::vector<uint8_t> bytes = CraftedPropertyFpx();
    const size_t before = PeakWorkingSet();
    NIFHandle* h = nullptr;
    long w = 0, ht = 0, kind = 0;
    EXPECT_EQ(NIF_BAD_FILE, NIFOpenImageFromMemory(bytes.data(), bytes.size(), &h, &w, &ht, &kind));
    EXPECT_EQ(nullptr, h);
    EXPECT_FALSE(LastMessage().empty());
    EXPECT_LT(PeakWorkingSet() - before, size_t(64) << 20) << "bytes of peak working set while it was read";
}

TEST(PropertySection, EntriesSharingAValueAreRefused) {
    NIFPropSection section(GUID{});
    section.NewProperty(2, VT_I4)->Set(int32_t(7));
    section.NewProperty(3, VT_I4)->Set(int32_t(8));
    std::vector<uint8_t> bytes = section.Serialize();
    nif::ParseBudget budget;
    ASSERT_TRUE(NIFPropSection(GUID{}).Parse(bytes.data(), bytes.size(), budget));
    std::copy(bytes.begin() + 12, bytes.begin() + 16, bytes.begin() + 20);   // entry 2 takes entry 1's offset
    nif::ParseBudget again;
    EXPECT_FALSE(NIFPropSection(GUID{}).Parse(bytes.data(), bytes.size(), again));
}

TEST(PropertySection, ValuesPastTheSetsBudgetAreRefused) {
    NIFPropSection section(GUID{});
    section.NewProperty(2, VT_VECTOR | VT_UI1)->SetVector(VT_UI1, nif::ParseBudget::kMaxElements / 2 + 1);
    const std::vector<uint8_t> bytes = section.Serialize();
    nif::ParseBudget budget;
    EXPECT_TRUE(NIFPropSection(GUID{}).Parse(bytes.data(), bytes.size(), budget));
    EXPECT_FALSE(NIFPropSection(GUID{}).Parse(bytes.data(), bytes.size(), budget)) << "a second section of the same set";
}

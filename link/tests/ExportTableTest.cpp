// The link's export table: ordinals 1 to 12, no names.
#include "ExportTable.h"

#include <gtest/gtest.h>

TEST(LinkExports, TwelveOrdinalsAndNoNames) {
    HMODULE link = GetModuleHandleA("pvlink.dll");
    ASSERT_NE(nullptr, link);
    pvtest::ExportTable table = pvtest::ReadExportTable(link);
    std::set<WORD> expected;
    for (WORD ordinal = 1; ordinal <= 12; ++ordinal) expected.insert(ordinal);
    EXPECT_EQ(expected, table.ordinals);
    EXPECT_EQ(0u, table.names);
    EXPECT_EQ(nullptr, GetProcAddress(link, "CommOpen"));
}

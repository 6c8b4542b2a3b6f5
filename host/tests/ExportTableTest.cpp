// The camera library's export table: its ordinals and no names.
#include "ExportTable.h"

#include <gtest/gtest.h>

TEST(HostExports, OrdinalsOnly) {
    HMODULE host = GetModuleHandleA("pvhost.dll");
    ASSERT_NE(nullptr, host);
    pvtest::ExportTable table = pvtest::ReadExportTable(host);
    std::set<WORD> expected = {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 200, 201, 202, 203, 204, 205, 206, 400};
    for (WORD ordinal = 100; ordinal <= 122; ++ordinal) expected.insert(ordinal);
    EXPECT_EQ(expected, table.ordinals);
    EXPECT_EQ(0u, table.names);
    // Both buffer-freeing ordinals are the same function.
    EXPECT_EQ(GetProcAddress(host, MAKEINTRESOURCEA(3)), GetProcAddress(host, MAKEINTRESOURCEA(4)));
}

// The link's export table: ordinals 1 to 12, no names.
#include <windows.h>

#include <gtest/gtest.h>

TEST(LinkExports, TwelveOrdinalsAndNoNames) {
    HMODULE link = GetModuleHandleA("pvlink.dll");
    ASSERT_NE(nullptr, link);
    auto base = reinterpret_cast<const BYTE*>(link);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(1u, exports->Base);
    EXPECT_EQ(12u, exports->NumberOfFunctions);
    EXPECT_EQ(0u, exports->NumberOfNames);
    for (WORD ordinal = 1; ordinal <= 12; ++ordinal)
        EXPECT_NE(nullptr, GetProcAddress(link, MAKEINTRESOURCEA(ordinal))) << ordinal;
    EXPECT_EQ(nullptr, GetProcAddress(link, MAKEINTRESOURCEA(13)));
    EXPECT_EQ(nullptr, GetProcAddress(link, "CommOpen"));
}

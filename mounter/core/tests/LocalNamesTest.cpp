// Which names from the camera may stand as one element of a local path, and what the others become.
#include "LocalNames.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(LocalNamesTest, OnlyPlainNamesAreUsable) {
    for (const char* usable : {"PV000001.JPG", "Summer Trip.alb", ".profile", "CONSOLE", "COM10", "LPT0.TXT", "a b"})
        EXPECT_TRUE(IsUsableLocalName(usable)) << usable;
    for (const char* refused : {"", ".", "..", "..\\X", "a/b", "C:EVIL", "name:stream", "a*b", "what?", "\"q\"", "<>",
                                "pipe|d", "bell\x07", "del\x7F", "trailing.", "trailing ", "CON", "con.txt", "Nul",
                                "AUX.JPG", "COM1", "lpt9.x", "PRN ", "CONIN$", "CLOCK$"})
        EXPECT_FALSE(IsUsableLocalName(refused)) << refused;
    EXPECT_FALSE(IsUsableLocalName(std::string(MAX_PATH, 'a')));
}

TEST(LocalNamesTest, UnusableNamesAreMadeUsable) {
    EXPECT_EQ("PV000001.JPG", SafeLocalName("PV000001.JPG"));
    EXPECT_EQ("_", SafeLocalName(".."));
    EXPECT_EQ("_", SafeLocalName(""));
    EXPECT_EQ(".._.._X_", SafeLocalName("..\\..\\X\\"));
    EXPECT_EQ("C_EVIL.JPG", SafeLocalName("C:EVIL.JPG"));
    EXPECT_EQ("_NUL.JPG", SafeLocalName("NUL.JPG"));
    EXPECT_EQ("_CON", SafeLocalName("CON.. "));
    EXPECT_EQ("_BELL", SafeLocalName("\x01" "BELL"));
    std::string longName(400, 'x');
    EXPECT_TRUE(IsUsableLocalName(SafeLocalName(longName)));
    for (const char* name : {"a/b", "x.", "COM3.TXT", "\t", "..."}) EXPECT_TRUE(IsUsableLocalName(SafeLocalName(name))) << name;
}

#include "CommandTail.h"

#include <gtest/gtest.h>

#include <string>

using uninst::CommandTail;

TEST(CommandTail, SkipsAPlainProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(std::string(CommandTail("pvuninst.exe  \t setup.exe /u")), "setup.exe /u");
    EXPECT_EQ(std::string(CommandTail("C:\\pv\\pvuninst.exe\tsetup.exe")), "setup.exe");
}

TEST(CommandTail, SkipsAQuotedProgramNameUpToItsClosingQuote) {
    EXPECT_EQ(std::string(CommandTail("\"C:\\Program Files\\PV\\pvuninst.exe\" \"C:\\A B\\un.exe\" -y  \"x  y\" ")),
              "\"C:\\A B\\un.exe\" -y  \"x  y\" ");
    // Nothing may follow the quote before the blank: the tail starts right after it.
    EXPECT_EQ(std::string(CommandTail("\"pvuninst.exe\"un.exe")), "un.exe");
}

TEST(CommandTail, IsEmptyWhenNothingFollows) {
    EXPECT_EQ(std::string(CommandTail("pvuninst.exe")), "");
    EXPECT_EQ(std::string(CommandTail("pvuninst.exe   ")), "");
    EXPECT_EQ(std::string(CommandTail("\"C:\\no closing quote\\pvuninst.exe un.exe")), "");
    EXPECT_EQ(std::string(CommandTail("")), "");
    EXPECT_EQ(std::string(CommandTail(nullptr)), "");
}

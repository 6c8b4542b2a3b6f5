// The texts of the status bar and of the Size and Picture Taken On columns, from the string table.
#include "ViewTexts.h"

#include <gtest/gtest.h>

using viewtext::ItemSizeText;
using viewtext::ObjectCountText;
using viewtext::TotalSizeText;

TEST(ViewTextsTest, StatusBarTotalsRoundAsTheBarShowsThem) {
    EXPECT_EQ("", TotalSizeText(0));
    EXPECT_EQ("1023 bytes", TotalSizeText(1023));
    EXPECT_EQ("1KB", TotalSizeText(1024));
    EXPECT_EQ("1KB", TotalSizeText(1536)) << "a remainder of exactly 512 rounds down";
    EXPECT_EQ("2KB", TotalSizeText(1537));
    EXPECT_EQ("1024KB", TotalSizeText(1048575));
    EXPECT_EQ("1.00MB", TotalSizeText(1048576));
    EXPECT_EQ("1.50MB", TotalSizeText(1572864));
    EXPECT_EQ("1.99MB", TotalSizeText(2 * 1048576 - 1)) << "hundredths are truncated";
    EXPECT_EQ("5000.00MB", TotalSizeText(5000ULL * 1048576)) << "totals beyond 4 GB";
}

TEST(ViewTextsTest, ObjectCountsSaySelectedOnlyForASelection) {
    EXPECT_EQ("0 object(s)", ObjectCountText(0, false));
    EXPECT_EQ("12 object(s)", ObjectCountText(12, false));
    EXPECT_EQ("3 object(s) selected", ObjectCountText(3, true));
}

TEST(ViewTextsTest, SizeColumnRoundsUpToWholeKilobytes) {
    EXPECT_EQ("0KB", ItemSizeText(0));
    EXPECT_EQ("1KB", ItemSizeText(1));
    EXPECT_EQ("1KB", ItemSizeText(1024));
    EXPECT_EQ("2KB", ItemSizeText(1025));
    EXPECT_EQ("4194304KB", ItemSizeText(0xFFFFFFFF));
}

TEST(ViewTextsTest, DatesAreTheShortDateAndTimeWithoutSeconds) {
    SYSTEMTIME taken = {1999, 7, 0, 14, 16, 5, 42, 0};
    FILETIME time = {};
    ASSERT_TRUE(SystemTimeToFileTime(&taken, &time));
    char date[64], clock[64];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &taken, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &taken, nullptr, clock, sizeof clock);
    std::string text = viewtext::ItemDateText(time);
    EXPECT_EQ(std::string(date) + " " + clock, text);
    EXPECT_EQ(std::string::npos, text.find("42")) << "no seconds";
}

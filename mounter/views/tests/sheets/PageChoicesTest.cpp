// The pieces of the pages that need no camera: the status panel's counter and the clock's count.
#include "CaptureChoices.h"
#include "StatusPanel.h"

#include <gtest/gtest.h>

namespace {

using Glyphs = std::array<int, 3>;

TEST(StatusPanelCounter, SuppressesLeadingZerosAndCapsAt999) {
    EXPECT_EQ((Glyphs{-1, -1, 7}), CounterGlyphs(7, true));
    EXPECT_EQ((Glyphs{-1, 4, 0}), CounterGlyphs(40, true));
    EXPECT_EQ((Glyphs{1, 0, 5}), CounterGlyphs(105, true));
    EXPECT_EQ((Glyphs{3, 0, 0}), CounterGlyphs(300, true));
    EXPECT_EQ((Glyphs{9, 9, 9}), CounterGlyphs(999, true));
    EXPECT_EQ((Glyphs{9, 9, 9}), CounterGlyphs(65535, true));
}

TEST(StatusPanelCounter, FullCardAndNoCardHaveTheirOwnGlyphs) {
    EXPECT_EQ((Glyphs{11, 12, 13}), CounterGlyphs(0, true));
    EXPECT_EQ((Glyphs{10, 10, 10}), CounterGlyphs(0, false));
    EXPECT_EQ((Glyphs{10, 10, 10}), CounterGlyphs(25, false));
    const UINT bitmaps[14] = {187, 188, 189, 190, 191, 192, 195, 194, 196, 193, 248, 249, 250, 251};
    for (int glyph = 0; glyph < 14; ++glyph) EXPECT_EQ(bitmaps[glyph], GlyphBitmap(glyph)) << glyph;
}

SYSTEMTIME LocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

TEST(CameraClock, CountsHalfSecondsSince1997) {
    EXPECT_EQ(20u, CameraClockCount(LocalTime(1997, 1, 1, 0, 0, 10)));
    EXPECT_EQ(0u, CameraClockCount(LocalTime(1997, 1, 1, 0, 0, 0)));
    EXPECT_EQ(2u * 86400 * 365, CameraClockCount(LocalTime(1998, 1, 1, 0, 0, 0)));
    EXPECT_EQ(0u, CameraClockCount(LocalTime(1996, 12, 31, 23, 59, 59))) << "before the camera's epoch";
}

TEST(CameraClock, TimeTextOfACount) {
    SYSTEMTIME time = LocalTime(2001, 3, 4, 5, 6, 0);
    char date[64], clock[64];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, clock, sizeof clock);
    EXPECT_EQ(std::string(date) + " " + clock, CameraTimeText(CameraClockCount(time) + 1)) << "seconds are left out";
}

TEST(CaptureChoices, ExposurePositions) {
    EXPECT_EQ(0, ExposurePosition(4));
    EXPECT_EQ(4, ExposurePosition(0));
    EXPECT_EQ(5, ExposurePosition(129));
    EXPECT_EQ(8, ExposurePosition(132));
    EXPECT_EQ(0, ExposurePosition(77)) << "no entry: the first";
}

}  // namespace

// The acquire dialog's parts on their own: the font description, the thumbnail selection by
// clicks, the status field texts and the error display routine.
#include "ErrorDisplay.h"
#include "FontSpec.h"
#include "PvresIds.h"
#include "StatusFields.h"
#include "ThumbnailSelection.h"
#include "WindowAnswerer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace acquire;

namespace {

std::vector<bool> Flags(const std::string& pattern) {
    std::vector<bool> flags;
    for (char c : pattern) flags.push_back(c == 'x');
    return flags;
}

std::string Pattern(const std::vector<bool>& flags) {
    std::string s;
    for (bool f : flags) s += f ? 'x' : '.';
    return s;
}

std::string Click(const std::string& before, int hit, bool control, bool shift) {
    std::vector<bool> flags = Flags(before);
    ApplyClick(flags, hit, control, shift);
    return Pattern(flags);
}

}  // namespace

TEST(FontSpec, ReadsHeightWeightAndCharacterSet) {
    FontSpec spec = ParseFontSpec("H=14, W=700, C=0");
    EXPECT_EQ(14, spec.height);
    EXPECT_EQ(700, spec.weight);
    EXPECT_EQ(0, spec.charset);
    spec = ParseFontSpec("C=128,W=300,H=20");
    EXPECT_EQ(20, spec.height);
    EXPECT_EQ(300, spec.weight);
    EXPECT_EQ(128, spec.charset);
    // Out of range: the fallbacks.
    spec = ParseFontSpec("H=21, W=750, C=3");
    EXPECT_EQ(8, spec.height);
    EXPECT_EQ(400, spec.weight);
    EXPECT_EQ(0, spec.charset);
    spec = ParseFontSpec("H=-1, W=1000");
    EXPECT_EQ(8, spec.height);
    EXPECT_EQ(400, spec.weight);
    // Letters it does not know and text without values change nothing.
    spec = ParseFontSpec("=5, X=9, H");
    EXPECT_EQ(8, spec.height);
    EXPECT_EQ(400, spec.weight);
    EXPECT_EQ(0, ParseFontSpec("H=0").height);
    EXPECT_EQ(900, ParseFontSpec("W=900").weight);
    EXPECT_EQ(255, ParseFontSpec("C=255").charset);
}

TEST(ThumbnailSelection, PlainAndControlClicks) {
    EXPECT_EQ("..x..", Click("x.x.x", 2, false, false));
    EXPECT_EQ(".....", Click("x.x.x", -1, false, false));
    EXPECT_EQ("xxx.x", Click("x.x.x", 1, true, false));
    EXPECT_EQ("x...x", Click("x.x.x", 2, true, false));
    EXPECT_EQ("x.x.x", Click("x.x.x", -1, true, false));
    EXPECT_EQ(".....", Click("x.x.x", 7, false, false));
}

TEST(ThumbnailSelection, ShiftSelectsTheRunFromTheNearerSelection) {
    // Only one selected thumbnail exists on one side: the run goes to it.
    EXPECT_EQ("xxxx....", Click("x.......", 3, false, true));
    EXPECT_EQ("....xxxx", Click(".......x", 4, false, true));
    // Both sides: the nearer one; on a tie the one before.
    EXPECT_EQ("....xxx.", Click("x.....x.", 4, false, true));
    EXPECT_EQ(".xxx....", Click(".x....x.", 3, false, true));
    EXPECT_EQ("..xxx...", Click("..x...x.", 4, false, true));
    // A selected thumbnail becomes the only one.
    EXPECT_EQ("..x.....", Click("x.x...x.", 2, false, true));
    // Without any selection Shift is a plain click.
    EXPECT_EQ("...x....", Click("........", 3, false, true));
    EXPECT_EQ("........", Click("x.x.....", -1, false, true));
}

TEST(StatusFields, TextsFromTheStringTable) {
    EXPECT_EQ(" Port: COM1", PortFieldText(1));
    EXPECT_EQ(" Port: COM9", PortFieldText(9));
    EXPECT_EQ("Port: COM12", PortFieldText(12));
    EXPECT_EQ(" Speed: 115200", SpeedFieldText(115200));
    EXPECT_EQ(" Number retrieved: 3", RetrievedFieldText(3));
    EXPECT_EQ(" Number selected: 0", SelectedFieldText(0));
}

TEST(ErrorDisplay, EveryCodeHasItsMessage) {
    using Kind = ErrorMessage::Kind;
    struct Expected {
        int code;
        Kind kind;
        UINT title, text;
    };
    const Expected table[] = {
        {-1000, Kind::kMessageBox, 57800, 57910}, {-1003, Kind::kMessageBox, 57800, 57910},
        {-1019, Kind::kMessageBox, 57800, 57910}, {-1020, Kind::kMessageBox, 57800, 57910},
        {-1022, Kind::kMessageBox, 57800, 57910}, {-1002, Kind::kCommunicationBox, 0, 0},
        {-1006, Kind::kCommunicationBox, 0, 0},   {-1013, Kind::kCommunicationBox, 0, 0},
        {-1016, Kind::kCommunicationBox, 0, 0},   {-1004, Kind::kNothing, 0, 0},
        {-1100, Kind::kNothing, 0, 0},            {0, Kind::kNothing, 0, 0},
        {-1011, Kind::kMessageBox, 57800, 57906}, {-1027, Kind::kMessageBox, 57800, 57908},
        {-1110, Kind::kMessageBox, 57800, 57908}, {-1101, Kind::kMessageBox, 57800, 57907},
        {-1102, Kind::kMessageBox, 57800, 57904}, {-1105, Kind::kMessageBox, 57803, 57905},
        {-1108, Kind::kMessageBox, 57804, 57901}, {-1109, Kind::kMessageBox, 57804, 57901},
        {-1111, Kind::kMessageBox, 57800, 57909}, {-1112, Kind::kMessageBox, 57800, 57912},
        {-1001, Kind::kNothing, 0, 0},            {-1040, Kind::kNothing, 0, 0},
        {5, Kind::kNothing, 0, 0},
    };
    for (const Expected& e : table) {
        ErrorMessage m = MessageForCode(e.code);
        EXPECT_EQ(e.kind, m.kind) << e.code;
        EXPECT_EQ(e.title, m.title) << e.code;
        EXPECT_EQ(e.text, m.text) << e.code;
    }
}

TEST(ErrorDisplay, ShowsTaskModalBoxesAndTheCommunicationBox) {
    {
        acquiretest::WindowAnswerer answer("Memory Full Error", IDOK);
        ShowAcquireError(-1105, nullptr);
        auto seen = answer.Seen();
        ASSERT_TRUE(seen);
        EXPECT_TRUE(seen->Shows("Unable to get picture(s) because there is \n\tno memory available."));
    }
    {
        acquiretest::WindowAnswerer answer("Error", IDOK);
        ShowAcquireError(-1101, nullptr);
        auto seen = answer.Seen();
        ASSERT_TRUE(seen);
        EXPECT_TRUE(seen->Shows("The camera has no pictures."));
    }
    {
        acquiretest::WindowAnswerer answer("Communication Error", IDOK);
        ShowAcquireError(-1006, nullptr);
        auto seen = answer.Seen();
        ASSERT_TRUE(seen);
        EXPECT_TRUE(seen->Shows("Cannot find the camera."));
        EXPECT_TRUE(seen->Shows("See Help and User Guide for more information."));
    }
    // Cancels and unknown codes show nothing: the calls return without a box to answer.
    for (int code : {-1004, -1100, 0, -1234}) ShowAcquireError(code, nullptr);
    EXPECT_EQ(nullptr, acquiretest::FindProcessWindow("Error"));
}

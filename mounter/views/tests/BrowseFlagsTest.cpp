// Open and Explore from a memory's or an album's context menu browse by the window's class and the
// user's new-window setting.
#include "BrowseFlags.h"

#include <gtest/gtest.h>

#include <shlobj.h>

TEST(BrowseFlagsTest, WithoutTheCabinetSettingBothExplore) {
    EXPECT_EQ(UINT(SBSP_EXPLOREMODE), BrowseFlagsOf(false, std::nullopt, "CabinetWClass"));
    EXPECT_EQ(UINT(SBSP_EXPLOREMODE), BrowseFlagsOf(true, std::nullopt, "ExploreWClass"));
}

TEST(BrowseFlagsTest, OpenFromAnExploringWindowOpensANewWindow) {
    EXPECT_EQ(UINT(SBSP_OPENMODE), BrowseFlagsOf(false, true, std::nullopt));
    EXPECT_EQ(UINT(SBSP_OPENMODE), BrowseFlagsOf(false, false, "CabinetWClass"));
    EXPECT_EQ(UINT(SBSP_OPENMODE | SBSP_NEWBROWSER), BrowseFlagsOf(false, true, "ExploreWClass"));
    EXPECT_EQ(UINT(SBSP_OPENMODE), BrowseFlagsOf(false, true, "Shell_TrayWnd"));
}

TEST(BrowseFlagsTest, ExploreFromAFolderWindowNeedsANewOneUnlessWindowsAreNewAnyway) {
    EXPECT_EQ(UINT(SBSP_EXPLOREMODE), BrowseFlagsOf(true, true, "CabinetWClass"));
    EXPECT_EQ(UINT(SBSP_EXPLOREMODE | SBSP_NEWBROWSER), BrowseFlagsOf(true, false, "CabinetWClass"));
    EXPECT_EQ(UINT(SBSP_EXPLOREMODE), BrowseFlagsOf(true, false, "ExploreWClass"));
    EXPECT_EQ(UINT(SBSP_EXPLOREMODE), BrowseFlagsOf(true, false, std::nullopt));
}

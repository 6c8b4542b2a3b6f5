// Every text of pvres: the string table by number, and the fixed texts of the dialogs whose
// statics have no number of their own.
#include "PvresIds.h"
#include "PvresTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Text(UINT id) {
    char text[1024];
    int n = LoadStringA(pvrestest::Pvres().get(), id, text, sizeof text);
    return n > 0 ? std::string(text, n) : "<missing>";
}

std::vector<std::string> ChildTexts(int dialog) { return pvrestest::HiddenDialog(dialog).ChildTexts(); }

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(ResourceTexts, StringTableHoldsEveryText) {
    const std::vector<std::pair<UINT, std::string>> strings = {
        {101, "&About ORVIK Photo Portal (TWAIN Acquire)..."},
        {104, "Getting Picture"},
        {57700, "Arial"},
        {57701, "H=14, W=700, C=0"},
        {57702, " Port: %s"},
        {57703, " Speed: %lu"},
        {57704, " Number retrieved: %d"},
        {57705, " Number selected: %d"},
        {57706, "*.JPG|*.FPX|"},
        {57707, "Use one of the Get Pictures buttons to locate pictures."},
        {57708, "Click Transfer button to move all selected pictures into the application."},
        {57709, "Transfer canceled..."},
        {57710, "Transferring..."},
        {57730, "Confirming the transferred data. Please wait..."},
        {57731, " %d "},
        {57732, " [ %d / %d ]"},
        {57733, "Getting Picture "},
        {57734, "Transferring Picture "},
        {57800, "Error"},
        {57801, "Connection Error"},
        {57802, "Communication Error"},
        {57803, "Memory Full Error"},
        {57804, "Unreadable File Type"},
        {57805, "Warning"},
        {57815, "ORVIK PV350"},
        {57816, "ORVIK PV360 Zoom"},
        {57817, "Memory Card"},
        {57818, "Memory Card"},
        {57819, "Picture"},
        {57820, "Auto Search"},
        {57830, "Yes"},
        {57831, "No"},
        {57832, "Best"},
        {57833, "Better"},
        {57834, "Good"},
        {57835, "High(1152 x 864)"},
        {57836, "Standard(640 x 480)"},
        {57837, "%d x %d"},
        {57838, "FlashPix"},
        {57839, "JPEG"},
        {57840, "Unknown"},
        {57841, "None"},
        {57842, "39"},
        {57843, "Macro"},
        {57900, "Unable to start Acquire module due to\ninsufficient memory."},
        {57901, "Unable to read the selected file."},
        {57902, "Unable to read the file: %s."},
        {57903, "\nThe file may be opened by using File/Open in your host application."},
        {57904, "Specified picture does not exist in the camera."},
        {57905, "Unable to get picture(s) because there is \n\tno memory available."},
        {57906, "Insufficient memory."},
        {57907, "The camera has no pictures."},
        {57908, "No memory card is found in the camera."},
        {57909, "The memory card is not formatted."},
        {57910, "Unexpected Error!"},
        {57911, "Batteries in camera are nearly in need of replacement.\nIf you have an AC adapter, you should "
                "consider using it \nfor transferring pictures. OK to continue?"},
        {57912, "Batteries in camera are in need of replacement, \nand no AC adapter is attached.\nImage transfer "
                "interrupted."},
        {57913, "My Computer"},
        {57914, "Network Neighborhood"},
    };
    for (auto& [id, text] : strings) EXPECT_EQ(text, Text(id)) << id;
    for (int n = 1; n <= 9; ++n) EXPECT_EQ("COM" + std::to_string(n), Text(57820 + n));
    EXPECT_NE("<missing>", Text(IDS_PV_HELP_TITLE));
    EXPECT_NE("<missing>", Text(IDS_PV_HELP_TEXT));
}

TEST(ResourceTexts, DialogStatics) {
    auto comm = ChildTexts(IDD_PV_COMM_ERROR);
    EXPECT_TRUE(Has(comm, "Cannot find the camera."));
    EXPECT_TRUE(Has(comm, "Please check:\t*  Camera power is ON.\n\t\t*  Camera Mode Dial is set to Connect.\n\t\t*  "
                          "Correct Communications Port is selected.\n\t\t*  Correct Communications Speed is selected."));
    EXPECT_TRUE(Has(comm, "See Help and User Guide for more information."));
    EXPECT_TRUE(Has(ChildTexts(IDD_PV_WARNING), "Displayed pictures will be discarded."));
    auto preferences = ChildTexts(IDD_PV_PREFERENCES);
    EXPECT_TRUE(Has(preferences, "Serial Port:"));
    EXPECT_TRUE(Has(preferences, "Serial Speed:"));
    for (int chooser : {IDD_PV_CAMERA_PICTURES, IDD_PV_DISK_PICTURES}) {
        auto texts = ChildTexts(chooser);
        EXPECT_TRUE(Has(texts, "&File Selection")) << chooser;
        EXPECT_TRUE(Has(texts, "Pict&ure Transfer List")) << chooser;
        EXPECT_EQ(chooser == IDD_PV_DISK_PICTURES, Has(texts, "Folder &Selection")) << chooser;
    }
}

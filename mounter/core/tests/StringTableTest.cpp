// Every text the Mounter core shows comes from its string table under the number the system gives
// it: read back from pvmount.dll by number.
#include "MounterFixture.h"

#include "ModuleStrings.h"

namespace {

struct NumberedText {
    UINT id;
    const char* text;
};

const NumberedText kTexts[] = {
    {1, "Fatal error initializing Mounter global memory. (Error Code=%s)"},
    {2009, "Display properties for the selected ORVIK Digital Camera."},
    {2010, "Configures the serial port connected to the Orvik Digital Camera"},
    {8004, "Standard (640x480)"},
    {8019, "ORVIK PV350 / PV360 Zoom Camera Mounter"},
    {8020, "Camera Memory"},
    {8021, "Compact Flash"},
    {8022, "ORVIK Digital Camera"},
    {8023, "Photo Album"},
    {8026, "High (1152x864)"},
    {8027, "\\PCCARD\\DCIMAGES"},
    {8031, "ORVIK PV350 / PV360 Zoom Camera Properties"},
    {8037, "Best"},
    {8038, "Better"},
    {8039, "Good"},
    {8056, "Memory Properties"},
    {8057, "Memory Card Properties"},
    {8058, "Album Properties"},
    {8059, "Picture File Properties"},
    {8067, "N/A"},
    {8068, "COM1:"}, {8069, "COM2:"}, {8070, "COM3:"}, {8071, "COM4:"},
    {8072, "9600"}, {8073, "19200"}, {8074, "38400"}, {8075, "57600"}, {8076, "115200"}, {8077, "230400"},
    {8084, "\\ALBUM.CTL"},
    {8085, "ALBUM_FILE"},
    {8093, "COM5:"}, {8094, "COM6:"}, {8095, "COM7:"}, {8096, "COM8:"},
    {8101, "PV360_Mounter_Thumb_View"},
    {9001, "Cannot find the Camera.\n\nPlease check:\n\t1) Camera is turned on.\n\t2) Port and speed selections.\n\t"
           "3) Port conflicts with other system devices.\n\nSee User Guide for more information.\n"},
    {9004, "There was an error while copying the selected picture file from the camera to your disk."},
    {9005, "The picture file cannot be moved to the temporary area on your disk.\nThe operation you requested "
           "cannot be performed.\n"},
    {9008, "An error occurred while trying to set the serial port to the speed or port you requested.\nPlease "
           "select another serial port or speed."},
    {9009, "There is not enough memory to complete the operation you requested.\nPlease close other applications "
           "and try the operation again."},
    {9013, "There is not enough temporary disk space to complete the operation.\nPlease delete some files from "
           "the %1!s! drive or select fewer pictures to copy."},
    {9014, "The Memory Card has been removed from the camera.\nPlease insert the card and try again."},
    {9015, "The album or picture file you selected resides on a memory card that is not currently inserted in the "
           "camera.\nPlease insert the memory card and try again."},
    {9034, "Delete Selected Files From Camera"},
    {9035, "Delete"},
    {9037, "Picture files will be permanently deleted!\n Do you wish to continue?"},
    {9038, "Delete Picture Files"},
    {9039, "The memory card is full.\nPlease delete one or more pictures or insert a different card."},
    {9040, "Formatting the memory card will permanently destroy all pictures on the card.\nDo you wish to "
           "continue?"},
    {9041, "The memory card format is complete."},
    {9042, "An error occurred trying to format the card. Make sure the card is inserted in the camera. "},
    {10011, "A camera error occured while deleting picture file %1!s!.\nThe file may not be deleted from the "
            "camera."},
};

}  // namespace

TEST(StringTableTest, EveryTextStandsUnderItsNumber) {
    HMODULE mounter = MounterModule();
    ASSERT_TRUE(mounter);
    for (const NumberedText& expected : kTexts)
        EXPECT_EQ(expected.text, pvtext::LoadModuleString(mounter, expected.id)) << "string " << expected.id;
}

// The numbers that sheet captions and type texts once used are not theirs.
TEST(StringTableTest, CaptionsAndTypesAreNotUnderOtherNumbers) {
    HMODULE mounter = MounterModule();
    for (UINT id : {8100u, 8102u, 8103u, 8104u, 8113u, 8114u, 8115u, 8116u})
        EXPECT_EQ("", pvtext::LoadModuleString(mounter, id)) << "string " << id;
}

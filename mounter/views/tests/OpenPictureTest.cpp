// Opening a picture of the thumbnail view with the program registered for its type: the program
// gets the temporary copy, byte for byte; a type whose key names no program is told.
#include "SendToFixture.h"

#include "MessageBoxAnswerer.h"
#include "ScopedFileType.h"
#include "TransferSupport.h"

using namespace viewtest;

namespace {

constexpr char kTypeName[] = "PVTest.Picture";

using OpenPictureTest = SendToTest;

}  // namespace

TEST_F(OpenPictureTest, ADoubleClickOpensTheCopyInTheProgramRegisteredForItsType) {
    ScopedFileType type(".JPG", {kTypeName});
    ASSERT_TRUE(type.Register("\"" + RecorderPath() + "\" \"%1\""));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    DoubleClickCell(2);
    std::string line = AwaitRecordedCommandLine();
    std::string copy = area + "PV000008.JPG";
    EXPECT_NE(std::string::npos, line.find("\"" + copy + "\"")) << line;
    EXPECT_TRUE(SameAsCard("PV000008.JPG", copy));
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(OpenPictureTest, AnExtensionWithoutAProgramCopiesThePictureAndTellsThatItCannotBeOpened) {
    ScopedFileType type(".FPX", {kTypeName});
    ASSERT_TRUE(pv::RegKey::create(HKEY_CLASSES_ROOT, ".FPX").setString(nullptr, kTypeName));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    DoubleClickCell(1);
    PumpMessages(100);
    std::vector<dialogtest::MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("An error occurred trying to open the select picture file(s).\nPlease register the picture file type "
              "with an existing application on your system.\n",
              seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    EXPECT_EQ(std::vector<std::string>{"PV000009.FPX"}, transfertest::FilesIn(area));
    EXPECT_EQ(nullptr, FindWindowA("#32770", "Open With")) << "a type with a key does not ask for a program";
}

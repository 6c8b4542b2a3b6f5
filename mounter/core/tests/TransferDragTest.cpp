// The whole drag out of the camera: StartItemDrag runs the OLE drag loop over a drop target window of
// the test's own, which takes the files as a shell folder would.
#include "DropTargetWindow.h"
#include "MessageBoxAnswerer.h"
#include "MounterFixture.h"
#include "StartItemDrag.h"
#include "TempArea.h"
#include "TransferSupport.h"

using namespace transfertest;

namespace {

class TransferDragTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        folder = MakeCardFolder();
        area = TempAreaPath();
        ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    }

    int Drag(const std::vector<std::string>& names) {
        std::vector<Item> items;
        std::vector<LPCITEMIDLIST> ids;
        for (const std::string& name : names) {
            items.push_back(MakeItem(name, MntPictureFile, static_cast<DWORD>(CardFile("PCCARD/DCIMAGES/" + name).size())));
            ids.push_back(items.back().get());
        }
        return StartItemDrag(folder.get(), static_cast<UINT>(ids.size()), ids.data(), target.Window(),
                             [this] { ++refreshes; });
    }

    FolderPtr folder;
    std::string area;
    RecordingDropTarget dropTarget;
    TargetWindow target{&dropTarget};
    int refreshes = 0;
};

}  // namespace

TEST_F(TransferDragTest, DropOnATargetDeliversTheCopiedPictures) {
    ASSERT_EQ(S_OK, target.Registered());
    WriteLocalFile(area + "LEFTOVER.JPG", "from an earlier drag");
    ASSERT_EQ(1, Drag({"PV000006.JPG", "PV000007.FPX"}));
    ASSERT_TRUE(dropTarget.dropped.has_value()) << "the drop reached the target";
    EXPECT_EQ((std::vector<std::string>{area + "PV000006.JPG", area + "PV000007.FPX"}), *dropTarget.dropped);
    EXPECT_EQ((std::vector<std::string>{"PV000006.JPG", "PV000007.FPX"}), FilesIn(area)) << "the area was emptied first";
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/PV000006.JPG"), ReadLocalFile(area + "PV000006.JPG"));
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/PV000007.FPX"), ReadLocalFile(area + "PV000007.FPX"));
    EXPECT_EQ(0, refreshes) << "a copy leaves the camera and the view alone";
    EXPECT_TRUE(Exists(CardPath("PCCARD/DCIMAGES/PV000006.JPG")));
}

TEST_F(TransferDragTest, NoTempAreaShows9005AndTheDragDoesNotStart) {
    char saved[MAX_PATH] = {};
    DWORD savedLength = GetEnvironmentVariableA("TMP", saved, sizeof saved);
    // A temporary path so long that the area's path cannot fit.
    SetEnvironmentVariableA("TMP", ("C:\\" + std::string(250, 'x')).c_str());
    int result = 0;
    std::vector<dialogtest::MessageBoxSeen> seen;
    {
        dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption});
        result = Drag({"PV000006.JPG"});
        seen = boxes.Seen();
    }
    SetEnvironmentVariableA("TMP", savedLength ? saved : nullptr);
    EXPECT_EQ(0, result);
    EXPECT_FALSE(dropTarget.dropped.has_value());
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("The picture file cannot be moved to the temporary area on your disk.\nThe operation you requested "
              "cannot be performed.\n",
              seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
}

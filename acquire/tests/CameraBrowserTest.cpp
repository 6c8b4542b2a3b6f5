// The CAMERA button against the simulated camera: the "Get Camera Pictures" dialog with the
// camera's pictures, the transfer list and its buttons, two pictures retrieved into the acquire
// dialog, their Picture Information, the Warning box, and cameras that cannot serve.
#include "AcquireModule.h"
#include "ChooserDriving.h"
#include "PvresIds.h"
#include "Screenshot.h"
#include "SimulatedCamera.h"
#include "UniqueWindow.h"
#include "WindowAnswerer.h"

#include <gtest/gtest.h>

using namespace acquiretest;

namespace {

class CameraBrowserTest : public SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        acquire = std::make_unique<AcquireModule>(1, 5);
        ASSERT_TRUE(acquire->loaded());
        dialog = OpenAcquireDialog(acquire->calls(), &parent);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override {
        acquire->calls().close(dialog);
        acquire->calls().closeDriverCamera();
        acquire.reset();
        SimulatedCameraTest::TearDown();
    }
    void PressCamera() { Press(dialog, IDC_CAMERA_BUTTON); }

    std::unique_ptr<AcquireModule> acquire;
    pv::UniqueWindow parent;
    HWND dialog = nullptr;
};

// What the driver saw in the chooser, read after it finished.
struct ChooserView {
    std::vector<std::string> files;
    bool addAtStart = true, okAtStart = true, removeAtStart = true;
    bool addWithSelection = false;
    std::vector<std::string> afterAdd, afterSecondAdd, afterRemove;
    bool okAfterRemoveAll = true, removeAllAfterRemoveAll = true;
    std::string screenshot;
};

}  // namespace

TEST_F(CameraBrowserTest, TwoChosenPicturesAreRetrievedIntoTheDialog) {
    std::vector<std::string> names = CardPictures();
    ASSERT_GE(names.size(), 3u);
    ChooserView view;
    WindowDriver driver("Get Camera Pictures", [&](HWND chooser) {
        view.files = ListItems(GetDlgItem(chooser, IDC_CHOOSER_FILES));
        view.addAtStart = Enabled(chooser, IDC_CHOOSER_ADD);
        view.okAtStart = Enabled(chooser, IDOK);
        view.removeAtStart = Enabled(chooser, IDC_CHOOSER_REMOVE);
        SendDlgItemMessageA(chooser, IDC_CHOOSER_SHOW_THUMBNAIL, BM_SETCHECK, BST_CHECKED, 0);
        Press(chooser, IDC_CHOOSER_SHOW_THUMBNAIL);
        SelectFiles(chooser, 1, 2);
        view.addWithSelection = Enabled(chooser, IDC_CHOOSER_ADD);
        Press(chooser, IDC_CHOOSER_ADD);
        view.afterAdd = ListItems(GetDlgItem(chooser, IDC_CHOOSER_TRANSFER_LIST));
        Press(chooser, IDC_CHOOSER_ADD);
        view.afterSecondAdd = ListItems(GetDlgItem(chooser, IDC_CHOOSER_TRANSFER_LIST));
        SelectTransfer(chooser, 0);
        Press(chooser, IDC_CHOOSER_REMOVE);
        view.afterRemove = ListItems(GetDlgItem(chooser, IDC_CHOOSER_TRANSFER_LIST));
        Press(chooser, IDC_CHOOSER_REMOVE_ALL);
        view.okAfterRemoveAll = Enabled(chooser, IDOK);
        view.removeAllAfterRemoveAll = Enabled(chooser, IDC_CHOOSER_REMOVE_ALL);
        SelectFiles(chooser, 0, 1);
        Press(chooser, IDC_CHOOSER_ADD);
        view.screenshot = dialogtest::SaveScreenshot(chooser, "camera_chooser");
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    PressCamera();
    ASSERT_TRUE(driver.Drove());

    EXPECT_EQ(names, view.files);
    EXPECT_FALSE(view.addAtStart);
    EXPECT_FALSE(view.okAtStart);
    EXPECT_FALSE(view.removeAtStart);
    EXPECT_TRUE(view.addWithSelection);
    EXPECT_EQ((std::vector<std::string>{names[1], names[2]}), view.afterAdd);
    EXPECT_EQ(view.afterAdd, view.afterSecondAdd);
    EXPECT_EQ(std::vector<std::string>{names[2]}, view.afterRemove);
    EXPECT_FALSE(view.okAfterRemoveAll);
    EXPECT_FALSE(view.removeAllAfterRemoveAll);
    EXPECT_NE("", view.screenshot);

    // Pictures 1 and 2 of the camera are in the dialog, ready for Transfer.
    EXPECT_EQ(" Number retrieved: 2", DialogText(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_EQ("Click Transfer button to move all selected pictures into the application.", DialogText(dialog, IDC_STATUS_LINE));
    EXPECT_TRUE(Enabled(dialog, IDC_TRANSFER_BUTTON));
    EXPECT_EQ("1", PreferenceValue("PreMemType"));
    EXPECT_EQ("1", PreferenceValue("CameraShowThumbnail"));
    PictureInfo info{};
    ASSERT_EQ(0, acquire->calls().getPictureInfo(2, &info));
    EXPECT_TRUE((info.width == 640 && info.height == 480) || (info.width == 1152 && info.height == 864));
    PumpMessages(300, nullptr);
    EXPECT_NE("", dialogtest::SaveScreenshot(dialog, "acquire_dialog_camera_pictures"));

    // The first picture's information.
    std::vector<std::string> texts;
    std::string infoShot;
    WindowDriver information("Picture Information", [&](HWND box) {
        for (int id = IDC_INFO_VALUE_FIRST; id < IDC_INFO_VALUE_FIRST + IDC_INFO_FIELD_COUNT; ++id)
            texts.push_back(DialogText(box, id));
        infoShot = dialogtest::SaveScreenshot(box, "picture_information");
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    SendMessageA(dialog, WM_LBUTTONDBLCLK, 0, FirstThumbnail(dialog));
    ASSERT_TRUE(information.Drove());
    ASSERT_EQ(10u, texts.size());
    EXPECT_EQ(names[0], texts[0]);
    size_t size = CardFile(PicturePath(1)).size();
    char sizeText[32];
    snprintf(sizeText, sizeof sizeText, "%u,%03u", unsigned(size / 1000), unsigned(size % 1000));
    EXPECT_EQ(sizeText, texts[3]);
    EXPECT_EQ(names[0].find(".FPX") != std::string::npos ? "FlashPix" : "JPEG", texts[4]);
    EXPECT_TRUE(texts[5] == "Yes" || texts[5] == "No") << texts[5];
    EXPECT_EQ(16u, texts[6].size()) << texts[6];   // dd/mm/yyyy hh:mm
    EXPECT_NE("", infoShot);

    // Asking again shows the Warning box; Cancel keeps the pictures.
    WindowAnswerer warning("Warning", IDCANCEL);
    PressCamera();
    auto seen = warning.Seen();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->Shows("Displayed pictures will be discarded."));
    EXPECT_EQ(" Number retrieved: 2", DialogText(dialog, IDC_RETRIEVED_FIELD));

    // Continue discards them, whatever the chooser's answer then.
    bool chooserOpened = false;
    WindowDriver discard("Warning", [&](HWND box) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        HWND chooser = WaitForProcessWindow("Get Camera Pictures", 20000);
        chooserOpened = chooser != nullptr;
        if (chooser) PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    PressCamera();
    ASSERT_TRUE(discard.Drove());
    EXPECT_TRUE(chooserOpened);
    EXPECT_EQ("", DialogText(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_FALSE(Enabled(dialog, IDC_TRANSFER_BUTTON));
}

TEST_F(CameraBrowserTest, ACameraThatCannotServeSaysWhyBeforeTheChooserOpens) {
    auto errorShown = [this] {
        WindowAnswerer error("Error", IDOK);
        PressCamera();
        return error.Seen().value_or(SeenWindow{});
    };
    Sim("card out");
    EXPECT_TRUE(errorShown().Shows("No memory card is found in the camera."));
    Sim("card in");
    for (int n = int(CardPictures().size()); n >= 1; --n) ASSERT_TRUE(DeleteFileA(CardPath(PicturePath(n)).c_str()));
    EXPECT_TRUE(errorShown().Shows("The camera has no pictures."));
    EXPECT_EQ("", DialogText(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_FALSE(Enabled(dialog, IDC_TRANSFER_BUTTON));
}

TEST_F(CameraBrowserTest, CancelInTheChooserRetrievesNothing) {
    WindowAnswerer cancel("Get Camera Pictures", IDCANCEL);
    PressCamera();
    EXPECT_TRUE(cancel.Seen());
    EXPECT_EQ("", DialogText(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_EQ("0", PreferenceValue("CameraShowThumbnail"));
    EXPECT_EQ("Use one of the Get Pictures buttons to locate pictures.", DialogText(dialog, IDC_STATUS_LINE));
}

TEST_F(CameraBrowserTest, DecliningTheBatteryQuestionCancelsSilentlyAndDisconnects) {
    Sim("battery low");
    Sim("mains off");
    WindowAnswerer question("Warning", IDNO);
    PressCamera();
    auto asked = question.Seen();
    ASSERT_TRUE(asked);
    EXPECT_TRUE(asked->Shows("Batteries in camera are nearly in need of replacement.\nIf you have an AC adapter, you should "
                             "consider using it \nfor transferring pictures. OK to continue?"));
    EXPECT_EQ("", DialogText(dialog, IDC_RETRIEVED_FIELD));
    // Not connected: the camera information is not written.
    uint16_t camera[3] = {77, 77, 77};
    EXPECT_EQ(0, acquire->calls().getCameraInfo(camera));
    EXPECT_EQ(77, camera[0]);
}

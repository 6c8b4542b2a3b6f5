// The acquire library against the simulated camera: acquiring without a dialog, the calls that
// describe the picture and hand it over, and the dialog holding that picture for a Transfer and given
// back after a failed or cancelled one.
#include "AcquireModule.h"
#include "ChooserDriving.h"
#include "GlobalMemory.h"
#include "PvresIds.h"
#include "Screenshot.h"
#include "SimulatedCamera.h"
#include "UniqueWindow.h"
#include "WindowAnswerer.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

int g_doneCalls = 0;
void WINAPI CountDone() { ++g_doneCalls; }

std::vector<std::vector<uint16_t>> g_selections;
uint32_t g_selectionAnswer = 0;

uint32_t WINAPI RecordSelection(uint32_t status, SelectionRecord* selection, uintptr_t) {
    if (status == kSelectionMade && selection)
        g_selections.emplace_back(selection->numbers, selection->numbers + selection->count);
    return g_selectionAnswer;
}

class AcquireCameraTest : public SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        acquire = std::make_unique<acquiretest::AcquireModule>(1, 5);
        ASSERT_TRUE(acquire->loaded());
        g_doneCalls = 0;
        g_selections.clear();
        g_selectionAnswer = 0;
    }
    void TearDown() override {
        // As the data source does at close-down: the camera goes before the library does.
        calls().closeDriverCamera();
        acquire.reset();
        SimulatedCameraTest::TearDown();
    }
    const acquiretest::AcquireCalls& calls() const { return acquire->calls(); }
    // The acquire dialog over a window of the application.
    HWND OpenDialog() {
        parent.reset(CreateWindowA("STATIC", "TWAIN application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                   nullptr, nullptr, nullptr, nullptr));
        return calls().open(parent.get(), -1, RecordSelection);
    }
    // Picture 1 handed over while the window of the caption is answered with the button.
    uint16_t GetImageAnswering(const char* caption, int button, HGLOBAL* handed,
                               std::optional<acquiretest::SeenWindow>* seen) {
        acquiretest::WindowAnswerer answer(caption, button);
        const uint16_t result = calls().getImage(handed, 1, 0);
        *seen = answer.Seen();
        return result;
    }

    std::unique_ptr<acquiretest::AcquireModule> acquire;
    pv::UniqueWindow parent;
};

std::string Text(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace

TEST_F(AcquireCameraTest, WithoutDialogTheFirstPictureIsReadyBeforeTheCallReturns) {
    EXPECT_EQ(0, calls().closeAfterTransfer());
    ASSERT_EQ(0, calls().notUIWindow(-1, CountDone));
    EXPECT_EQ(1, g_doneCalls);
    EXPECT_EQ(1, calls().closeAfterTransfer());

    uint16_t camera[3] = {0, 0, 0x5A5A};
    ASSERT_EQ(0, calls().getCameraInfo(camera));
    EXPECT_EQ(1, camera[0]);
    EXPECT_EQ(0x5A5A, camera[2]);
    PictureInfo info{};
    ASSERT_EQ(0, calls().getPictureInfo(1, &info));
    EXPECT_EQ(1u, info.number);
    EXPECT_TRUE((info.width == 640 && info.height == 480) || (info.width == 1152 && info.height == 864));
    EXPECT_EQ(info.width * info.height * 3, info.byteSize);
    EXPECT_EQ(1, calls().getPictureInfo(2, &info));
    EXPECT_EQ(1, calls().getPictureInfo(0, &info));
    EXPECT_EQ(1, calls().getPictureInfo(1, nullptr));
    uint16_t rotation = 9;
    ASSERT_EQ(0, calls().getRotateType(1, &rotation));
    EXPECT_EQ(0, rotation);

    EXPECT_EQ(0, calls().closeDriverCamera());
    camera[0] = 77;
    EXPECT_EQ(0, calls().getCameraInfo(camera));
    EXPECT_EQ(77, camera[0]);
}

TEST_F(AcquireCameraTest, WithoutDialogAnEmptyCameraStillCallsBack) {
    for (int n = int(CardPictures().size()); n >= 1; --n) ASSERT_TRUE(DeleteFileA(CardPath(PicturePath(n)).c_str()));
    ASSERT_EQ(0, calls().notUIWindow(-1, CountDone));
    EXPECT_EQ(1, g_doneCalls);
    PictureInfo info{};
    EXPECT_EQ(1, calls().getPictureInfo(1, &info));
}

TEST_F(AcquireCameraTest, WithoutDialogACameraThatCannotServeFails) {
    Sim("card out");
    EXPECT_EQ(1, calls().notUIWindow(-1, CountDone));
    Sim("card in");
    Sim("battery exhausted");
    Sim("mains off");
    EXPECT_EQ(1, calls().notUIWindow(-1, CountDone));
    EXPECT_EQ(0, g_doneCalls);
    // A low battery asks nothing without a dialog.
    Sim("battery low");
    EXPECT_EQ(0, calls().notUIWindow(-1, CountDone));
    EXPECT_EQ(1, g_doneCalls);
}

TEST_F(AcquireCameraTest, DialogHoldsThePictureForTransfer) {
    ASSERT_EQ(0, calls().notUIWindow(-1, CountDone));
    HWND dialog = OpenDialog();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_TRANSFER_BUTTON)));
    EXPECT_EQ(" Port: COM1", Text(dialog, IDC_PORT_FIELD));
    EXPECT_EQ(" Speed: 115200", Text(dialog, IDC_SPEED_FIELD));
    EXPECT_EQ(" Number retrieved: 1", Text(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_EQ(" Number selected: 0", Text(dialog, IDC_SELECTED_FIELD));

    // Transfer with nothing selected: "Insufficient memory." and no call to the source.
    {
        acquiretest::WindowAnswerer answer("Error", IDOK);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TRANSFER_BUTTON, BN_CLICKED), 0);
        auto seen = answer.Seen();
        ASSERT_TRUE(seen);
        EXPECT_TRUE(seen->Shows("Insufficient memory."));
    }
    EXPECT_TRUE(g_selections.empty());

    SendMessageA(dialog, WM_LBUTTONDOWN, 0, acquiretest::FirstThumbnail(dialog));
    EXPECT_EQ(" Number selected: 1", Text(dialog, IDC_SELECTED_FIELD));
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_CONTROL, acquiretest::FirstThumbnail(dialog));
    EXPECT_EQ(" Number selected: 0", Text(dialog, IDC_SELECTED_FIELD));
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_CONTROL, acquiretest::FirstThumbnail(dialog));
    acquiretest::PumpMessages(300);
    EXPECT_NE("", dialogtest::SaveScreenshot(dialog, "acquire_dialog_selected"));

    // The source refuses: the dialog stays usable.
    g_selectionAnswer = 1;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TRANSFER_BUTTON, BN_CLICKED), 0);
    ASSERT_EQ(1u, g_selections.size());
    EXPECT_EQ(std::vector<uint16_t>{1}, g_selections[0]);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ("Confirming the transferred data. Please wait...", Text(dialog, IDC_STATUS_LINE));
    // It takes the selection: the dialog waits, disabled, while the application pulls the pictures.
    g_selectionAnswer = 0;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TRANSFER_BUTTON, BN_CLICKED), 0);
    EXPECT_EQ(2u, g_selections.size());
    EXPECT_FALSE(IsWindowEnabled(dialog));
    EXPECT_EQ(0, calls().close(dialog));
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(AcquireCameraTest, GetImageHandsOverTheCameraPictureAsAPackedBitmap) {
    ASSERT_EQ(0, calls().notUIWindow(-1, CountDone));
    PictureInfo info{};
    ASSERT_EQ(0, calls().getPictureInfo(1, &info));
    HGLOBAL handed = nullptr;
    ASSERT_EQ(0, calls().getImage(&handed, 1, 0));
    pv::GlobalBlock bitmap(handed);
    ASSERT_TRUE(bitmap);
    {
        pv::LockedGlobal locked(bitmap.get());
        const auto* header = locked.as<BITMAPINFOHEADER>();
        EXPECT_EQ(LONG(info.width), header->biWidth);
        EXPECT_EQ(LONG(info.height), header->biHeight);
        EXPECT_EQ(info.byteSize, header->biSizeImage);
        EXPECT_EQ(sizeof *header + info.byteSize, locked.size());
    }
    // No such picture, nowhere to put it: nothing is handed over.
    handed = nullptr;
    EXPECT_EQ(1, calls().getImage(&handed, 2, 0));
    EXPECT_EQ(nullptr, handed);
    EXPECT_EQ(1, calls().getImage(nullptr, 1, 0));
    // No progress dialog is left behind.
    EXPECT_EQ(nullptr, acquiretest::FindProcessWindow("Transferring Picture  [ 1 / 1 ]"));
}

TEST_F(AcquireCameraTest, DialogComesBackAfterAFailedOrCancelledPicture) {
    ASSERT_EQ(0, calls().notUIWindow(-1, CountDone));
    HWND dialog = OpenDialog();
    ASSERT_TRUE(dialog);
    SendMessageA(dialog, WM_LBUTTONDOWN, 0, acquiretest::FirstThumbnail(dialog));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TRANSFER_BUTTON, BN_CLICKED), 0);
    ASSERT_FALSE(IsWindowEnabled(dialog));

    // The card went: the user is told, and gets the dialog back.
    Sim("card out");
    HGLOBAL handed = nullptr;
    std::optional<acquiretest::SeenWindow> seen;
    EXPECT_EQ(1, GetImageAnswering("Error", IDOK, &handed, &seen));
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->Shows("No memory card is found in the camera."));
    EXPECT_EQ(nullptr, handed);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ("Click Transfer button to move all selected pictures into the application.", Text(dialog, IDC_STATUS_LINE));

    // Cancelled in the progress dialog while the picture comes at the line's pace.
    Sim("card in");
    Sim("throttle on");
    EnableWindow(dialog, FALSE);
    EXPECT_EQ(3, GetImageAnswering("Transferring Picture  [ 1 / 1 ]", IDCANCEL, &handed, &seen));
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->Shows("Cancel"));
    EXPECT_EQ(nullptr, handed);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ("Transfer canceled...", Text(dialog, IDC_STATUS_LINE));
    EXPECT_EQ(0, calls().close(dialog));
}

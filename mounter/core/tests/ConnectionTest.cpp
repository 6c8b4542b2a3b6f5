// Opening a folder's camera session under the connection dialog: cancel, a failing step, and the
// dialog kept hidden by "ShowConnectionProgress".
#include "DialogDriver.h"
#include "Memory.h"
#include "MounterException.h"
#include "MounterFixture.h"
#include "TransferSupport.h"
#include "MounterResources.h"

using namespace dialogtest;

namespace {

constexpr char kDialogTitle[] = "Connecting to Camera...";

class ConnectionTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        key.set("ShowConnectionProgress", 1);
        folder = transfertest::MakeCardFolder();
        owner = CreateWindowA("STATIC", "explorer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                              nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        folder.reset();
        DestroyWindow(owner);
        MounterCameraTest::TearDown();
    }

    transfertest::FolderPtr folder;
    HWND owner = nullptr;
};

}  // namespace

TEST_F(ConnectionTest, CancelGives19AndNoMessage) {
    bool cancelled = false, messageSeen = false;
    int result;
    {
        Watcher watcher([&] {
            HWND dialog = WaitForWindow(kDialogTitle);
            if (!dialog) return;
            ClickButton(dialog, IDCANCEL);
            cancelled = true;
            messageSeen = WaitForWindow("ORVIK PV350 / PV360 Zoom Camera Mounter", 1500) != nullptr;
        });
        result = folder->ConnectCamera(1, owner);
    }
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(19, result);
    EXPECT_FALSE(folder->IsSessionOpen());
    EXPECT_EQ(nullptr, folder->Session());
    EXPECT_FALSE(messageSeen);
}

TEST_F(ConnectionTest, FailingStepShowsItsIconAndTheExceptionComesAfterTwoSeconds) {
    Sim("fault error 7F 9");   // the camera fails every status read
    const std::vector<BYTE> failed = StateIconPixels(IDI_STEP_FAILED);
    const int statusStepIcon = IDC_STEP_ICON_FIRST + 3;
    bool failedIconShown = false;
    ULONGLONG start = GetTickCount64(), thrown = 0;
    {
        // Each query is answered when the connect pumps the dialog's messages, right after a report.
        Watcher watcher([&] {
            HWND dialog = WaitForWindow(kDialogTitle);
            for (int i = 0; dialog && IsWindow(dialog) && i < 1000 && !failedIconShown; ++i) {
                failedIconShown = ShownIconPixels(dialog, statusStepIcon) == failed;
                Sleep(5);
            }
        });
        try {
            folder->ConnectCamera(1, owner);
        } catch (const MounterException& failure) {
            thrown = GetTickCount64();
            char text[512];
            failure.GetErrorText(text, sizeof text);
            EXPECT_NE(std::string::npos, std::string(text).find("ER=13")) << "status step failed: " << text;
        }
    }
    ASSERT_NE(0u, thrown) << "the connect must throw";
    EXPECT_GE(thrown - start, 2000u) << "the failed step stays visible";
    EXPECT_TRUE(failedIconShown);
    EXPECT_FALSE(folder->IsSessionOpen());
}

TEST_F(ConnectionTest, ProgressSettingZeroKeepsTheDialogHidden) {
    key.set("ShowConnectionProgress", 0);
    bool shown = false;
    {
        Watcher watcher([&] { shown = WaitForWindow(kDialogTitle, 3000) != nullptr; });
        EXPECT_EQ(0, folder->ConnectCamera(1, owner));
    }
    EXPECT_FALSE(shown);
    EXPECT_TRUE(folder->IsSessionOpen()) << "the open runs all the same";
}

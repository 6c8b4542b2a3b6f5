// The acquire dialog through the library's calls, without a camera: opening it modeless, its
// buttons, texts and system menu, its messages through TwSrcUIIsDialogMessage, the About box,
// closing by the user (one report to the source) and by the source (none).
#include "AcquireDialog.h"
#include "AcquireModule.h"
#include "PvresIds.h"
#include "Screenshot.h"
#include "UniqueWindow.h"
#include "WindowAnswerer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Report {
    uint32_t status;
    bool withSelection;
};
std::vector<Report> g_reports;

uint32_t WINAPI RecordSelection(uint32_t status, SelectionRecord* selection, uintptr_t) {
    g_reports.push_back({status, selection != nullptr});
    return 0;
}

std::string Text(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class AcquireDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(acquire.loaded());
        g_reports.clear();
        parent.reset(CreateWindowA("STATIC", "TWAIN application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                   nullptr, nullptr, nullptr, nullptr));
    }
    HWND Open() { return acquire.calls().open(parent.get(), -1, RecordSelection); }

    acquiretest::AcquireModule acquire{-1, 0};
    pv::UniqueWindow parent;
};

}  // namespace

TEST_F(AcquireDialogTest, OpensModelessWithItsButtonsAndTexts) {
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(parent.get(), GetWindow(dialog, GW_OWNER));
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ("ORVIK Photo Portal (TWAIN Acquire)", caption);
    // The source gets the dialog back while it lives: no second one.
    EXPECT_EQ(nullptr, acquire.calls().open(parent.get(), -1, RecordSelection));

    for (int id : {IDC_CAMERA_BUTTON, IDC_DISK_BUTTON, IDC_TRANSFER_BUTTON, IDC_HELP_BUTTON, IDC_PREF_BUTTON, IDCANCEL}) {
        RECT r;
        GetWindowRect(GetDlgItem(dialog, id), &r);
        EXPECT_EQ(38, r.right - r.left) << id;
        EXPECT_EQ(38, r.bottom - r.top) << id;
    }
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TRANSFER_BUTTON)));
    EXPECT_EQ("Use one of the Get Pictures buttons to locate pictures.", Text(dialog, IDC_STATUS_LINE));
    for (int id : {IDC_PORT_FIELD, IDC_SPEED_FIELD, IDC_RETRIEVED_FIELD, IDC_SELECTED_FIELD}) EXPECT_EQ("", Text(dialog, id));
    HMENU menu = GetSystemMenu(dialog, FALSE);
    char item[128] = {};
    GetMenuStringA(menu, acquire::AcquireDialog::kAboutCommand, item, sizeof item, MF_BYCOMMAND);
    EXPECT_STREQ("&About ORVIK Photo Portal (TWAIN Acquire)...", item);
    EXPECT_EQ(UINT(MF_SEPARATOR), GetMenuState(menu, GetMenuItemCount(menu) - 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0));

    acquiretest::PumpMessages(300);
    std::string shot = dialogtest::SaveScreenshot(dialog, "acquire_dialog");
    EXPECT_NE("", shot);
    EXPECT_EQ(0, acquire.calls().close(dialog));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(AcquireDialogTest, MessagesReachTheDialogThroughTheLibrary) {
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    MSG tab{GetDlgItem(dialog, IDC_CAMERA_BUTTON), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_NE(0, acquire.calls().isDialogMessage(dialog, &tab));
    MSG other{parent.get(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(0, acquire.calls().isDialogMessage(dialog, &other));
    EXPECT_EQ(0, acquire.calls().isDialogMessage(dialog, nullptr));
    acquire.calls().close(dialog);
    EXPECT_EQ(0, acquire.calls().isDialogMessage(dialog, &tab));
}

TEST_F(AcquireDialogTest, UserCloseIsReportedOnce) {
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    acquiretest::PumpMessages(300);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_EQ(1u, g_reports.size());
    EXPECT_EQ(kSelectionClosed, g_reports[0].status);
    EXPECT_FALSE(g_reports[0].withSelection);
    EXPECT_EQ(0, acquire.calls().close(dialog));
    EXPECT_EQ(1u, g_reports.size());

    // The Close button does the same, once more for a new dialog.
    dialog = Open();
    ASSERT_TRUE(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(2u, g_reports.size());
}

TEST_F(AcquireDialogTest, AboutBoxAndHelpFromTheDialog) {
    HWND dialog = Open();
    ASSERT_TRUE(dialog);
    {
        acquiretest::WindowAnswerer answer("", IDC_ABOUT_PICTURE);
        SendMessageA(dialog, WM_SYSCOMMAND, acquire::AcquireDialog::kAboutCommand, 0);
        auto seen = answer.Seen();
        ASSERT_TRUE(seen);
        EXPECT_TRUE(seen->Shows("Version 2.0.1  "));
    }
    {
        acquiretest::WindowAnswerer answer("ORVIK Photo Portal Help", IDOK);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED), 0);
        EXPECT_TRUE(answer.Seen());
    }
    EXPECT_TRUE(IsWindow(dialog));
    acquire.calls().close(dialog);
}

TEST_F(AcquireDialogTest, CallsWithoutPicturesOrCamera) {
    uint16_t value = 7;
    EXPECT_EQ(0, acquire.calls().getImageType(&value));
    EXPECT_EQ(2, value);
    EXPECT_EQ(1, acquire.calls().getImageType(nullptr));
    BYTE channels[3][256] = {};
    EXPECT_EQ(1, acquire.calls().getPalette(1, channels, channels[0], channels[1], channels[2]));
    PictureInfo info{};
    EXPECT_EQ(1, acquire.calls().getPictureInfo(1, &info));
    EXPECT_EQ(1, acquire.calls().getRotateType(1, &value));
    uint16_t camera[3] = {9, 9, 9};
    EXPECT_EQ(0, acquire.calls().getCameraInfo(camera));
    EXPECT_EQ(9, camera[0]);   // not connected: nothing written
    EXPECT_EQ(1, acquire.calls().getCameraInfo(nullptr));
    EXPECT_EQ(0, acquire.calls().closeAfterTransfer());
    EXPECT_EQ(0, acquire.calls().closeDriverCamera());
}

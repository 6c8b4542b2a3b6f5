// The shell view when things go wrong: no camera when the view opens, and a browser that refuses the
// menu of a new view mode.
#include "ViewFixture.h"

#include "MessageBoxAnswerer.h"

#include <commctrl.h>

using namespace viewtest;

namespace {

constexpr char kCameraNotFound[] =
    "Cannot find the Camera.\n\nPlease check:\n\t1) Camera is turned on.\n\t2) Port and speed selections.\n\t"
    "3) Port conflicts with other system devices.\n\nSee User Guide for more information.\n";
constexpr char kOleFailure[] =
    "An OLE Exception (SCODE=0x80004005) has occured. Close all ORVIK PV350 / PV360 Zoom Camera Mounter windows "
    "and retry the operation.";

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ChildWindows(HWND frame) {
    int count = 0;
    EnumChildWindows(frame, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class ShellViewFailureTest : public ShellViewTest {
protected:
    // The view's mode as its host reads it, and the list control's type.
    UINT CurrentMode() {
        FOLDERSETTINGS settings = {};
        view->GetCurrentInfo(&settings);
        return settings.ViewMode;
    }
    DWORD ListType(HWND frame) { return static_cast<DWORD>(GetWindowLongPtrA(ListOf(frame), GWL_STYLE) & LVS_TYPEMASK); }
};

}  // namespace

TEST_F(ShellViewFailureTest, NoCameraWhenTheViewOpensIsToldAndLeavesNoWindow) {
    ASSERT_TRUE(CardFolder());
    peer.stopSimulator(kCom);
    TestBrowser& browser = NewBrowser();
    int children = ChildWindows(browser.Frame());
    std::vector<dialogtest::MessageBoxSeen> seen;
    {
        dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
        EXPECT_EQ(E_FAIL, OpenView(CardFolder(), browser));
        seen = answerer.Seen();
    }
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(kCameraNotFound, seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    EXPECT_FALSE(view) << "the view failed";
    EXPECT_EQ(nullptr, ContainerOf(browser.Frame()));
    EXPECT_EQ(children, ChildWindows(browser.Frame())) << "no window of the view is left";
    sim = std::make_unique<pvtest::PeerClient>(peer.startSimulator(kCom, 1, SimulatorArguments()).control);
    Sim("timing resetquiet 200");
}

TEST_F(ShellViewFailureTest, ARefusedMenuIsToldAndKeepsThePreviousMode) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CardFolder(), browser));
    ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_FOCUS));
    ASSERT_EQ(UINT(FVM_ICON), CurrentMode());
    browser.setMenuAnswer = E_FAIL;
    for (UINT command : {1031u, 1032u}) {
        std::vector<dialogtest::MessageBoxSeen> seen;
        {
            dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
            Command(browser, command);
            seen = answerer.Seen();
        }
        ASSERT_EQ(1u, seen.size()) << command;
        EXPECT_EQ(kOleFailure, seen[0].text) << command;
        EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
        EXPECT_EQ(UINT(FVM_ICON), CurrentMode()) << command;
        EXPECT_EQ(DWORD(LVS_ICON), ListType(browser.Frame())) << command;
        EXPECT_TRUE(IsWindowVisible(ListOf(browser.Frame()))) << command;
        HWND thumbs = ThumbnailsOf(browser.Frame());
        EXPECT_TRUE(!thumbs || !IsWindowVisible(thumbs)) << command;
        EXPECT_TRUE(SendMessageA(browser.Toolbar(), TB_ISBUTTONCHECKED, 1028, 0)) << command;
    }
    browser.setMenuAnswer = S_OK;
    Command(browser, 1031);
    EXPECT_EQ(UINT(FVM_DETAILS), CurrentMode()) << "an accepted menu switches";
    EXPECT_EQ(DWORD(LVS_REPORT), ListType(browser.Frame()));
}

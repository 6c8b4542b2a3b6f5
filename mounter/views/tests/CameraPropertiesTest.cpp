// The camera's property sheet opened as the user opens it from the camera's own view: the
// background menu's Properties, which runs the camera folder's own Properties command.
#include "ViewFixture.h"

#include "DialogDriver.h"
#include "MenuReader.h"
#include "ViewResources.h"

#include <commctrl.h>
#include <prsht.h>

using namespace viewtest;

namespace {

constexpr char kCameraSheet[] = "ORVIK PV350 / PV360 Zoom Camera Properties";

std::vector<std::string> TabTexts(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    std::vector<std::string> texts;
    for (int i = 0; tabs && i < TabCtrl_GetItemCount(tabs); ++i) {
        char text[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

using CameraPropertiesTest = ShellViewTest;

}  // namespace

TEST_F(CameraPropertiesTest, TheCameraViewsPropertiesOpensTheCameraSheetWithItsTwoPages) {
    TestBrowser& browser = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CameraFolder(), browser));
    HWND list = ListOf(browser.Frame());
    ASSERT_TRUE(list);
    for (int i = 0; i < ListCount(list); ++i) SelectRow(list, i, false);
    std::vector<std::string> pages;
    bool sheetShown = false;
    {
        dialogtest::Watcher watcher([&] {
            HWND sheet = dialogtest::WaitForWindow(kCameraSheet);
            if (!sheet) return;
            sheetShown = true;
            pages = TabTexts(sheet);
            // A press that arrives while the sheet is still being built may be lost: repeat it.
            for (int attempt = 0; attempt < 20 && IsWindow(sheet); ++attempt) {
                PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                dialogtest::WaitUntilGone(sheet, 1000);
            }
        });
        menutest::TrackedMenuReader menu(ID_CAMERA_FOLDER_PROPERTIES);
        NMHDR header = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_RCLICK)};
        SendMessageA(GetParent(list), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        menutest::Entries entries = menu.Read();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(ID_CAMERA_FOLDER_PROPERTIES, entries.back().id) << "the background menu ends with Properties";
        // The chosen command comes as a message: the sheet runs modally while it is dispatched.
        for (int poll = 0; poll < 500 && !sheetShown; ++poll) PumpMessages(20);
        PumpMessages(100);
    }
    ASSERT_TRUE(sheetShown) << "Properties opened the camera sheet";
    EXPECT_EQ((std::vector<std::string>{"Camera Settings", "Capture"}), pages);
}

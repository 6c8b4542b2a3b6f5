// The shell view in a file dialog: the dialog's window procedure is the Mounter's exported hook
// while the view is there, its OK button labelled with a word that takes files in copies the
// selected pictures to disk first, and one labelled "&Save" copies nothing.
#include "SendToFixture.h"

#include "MessageBoxAnswerer.h"
#include "TransferSupport.h"

using namespace viewtest;

namespace {

class OpenFileHookTest : public SendToTest {
protected:
    // Opens the card in a file dialog's browser whose OK button shows label, and selects cell 4.
    void OpenInDialog(const char* label) {
        browser = &NewBrowser(TestBrowser::FileDialog());
        okButton.reset(CreateWindowA("BUTTON", label, WS_CHILD | BS_PUSHBUTTON, 0, 0, 60, 20, browser->Frame(),
                                     reinterpret_cast<HMENU>(IDOK), nullptr, nullptr));
        ASSERT_TRUE(okButton.get());
        ASSERT_EQ(S_OK, OpenView(CardFolder(), *browser));
        thumbs = ThumbnailsOf(browser->Frame());
        ASSERT_TRUE(thumbs);
        ClickCell(4);
    }
    void PressOk() {
        SendMessageA(browser->Frame(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(okButton.get()));
    }
    LONG_PTR HookProcedure() { return reinterpret_cast<LONG_PTR>(GetProcAddress(MounterModule(), "MounterOFDWndProc")); }

    pv::UniqueWindow okButton;
};

}  // namespace

TEST_F(OpenFileHookTest, OpenCopiesTheSelectedPictureBeforeTheDialogTakesIt) {
    ASSERT_NO_FATAL_FAILURE(OpenInDialog("&Open"));
    ASSERT_NE(0, HookProcedure()) << "exported by name";
    EXPECT_EQ(HookProcedure(), GetWindowLongPtrA(browser->Frame(), GWLP_WNDPROC));
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    PressOk();
    EXPECT_EQ(std::vector<std::string>{"PV000006.JPG"}, transfertest::FilesIn(area));
    EXPECT_TRUE(SameAsCard("PV000006.JPG", area + "PV000006.JPG"));
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
    ASSERT_EQ(S_OK, CloseView());
    EXPECT_NE(HookProcedure(), GetWindowLongPtrA(browser->Frame(), GWLP_WNDPROC)) << "the dialog's own procedure is back";
}

TEST_F(OpenFileHookTest, SaveCopiesNothing) {
    ASSERT_NO_FATAL_FAILURE(OpenInDialog("&Save"));
    EXPECT_EQ(HookProcedure(), GetWindowLongPtrA(browser->Frame(), GWLP_WNDPROC));
    PressOk();
    EXPECT_EQ(std::vector<std::string>{}, transfertest::FilesIn(area));
}

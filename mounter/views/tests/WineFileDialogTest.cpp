// The camera in Wine's own open-file dialog (GetOpenFileName, explorer style, comdlg32 as every
// program gets it), driven from a second thread as a user would: My Computer lists the camera,
// the memory card opens in thumbnails, OK hands the program a real file with the camera's bytes,
// Cancel copies nothing, and the context menus there keep only their Properties entry.
#include "SendToFixture.h"

#include "DialogDriver.h"
#include "MenuReader.h"
#include "MessageBoxAnswerer.h"
#include "Screenshot.h"
#include "TransferSupport.h"
#include "ViewResources.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>

#include <atomic>
#include <functional>
#include <thread>

using namespace viewtest;

namespace {

constexpr char kDialogTitle[] = "pvtest Open Picture";
constexpr int kPollMs = 20;
constexpr int kPolls = 500;   // ten seconds for each step

// Polls until done answers true; false when it never did.
bool Await(const std::function<bool()>& done) {
    for (int poll = 0; poll < kPolls; ++poll) {
        if (done()) return true;
        Sleep(kPollMs);
    }
    return false;
}

HWND ChildOfClass(HWND parent, const char* className) { return FindViewChild(parent, className); }

// The names that the shell's own view of the dialog lists (its list control, outside the Mounter's).
std::vector<std::string> ShellViewNames(HWND dialog) {
    HWND defView = ChildOfClass(dialog, "SHELLDLL_DefView");
    HWND list = defView ? ChildOfClass(defView, WC_LISTVIEWA) : nullptr;

    return list ? ListColumn(list, 0) : std::vector<std::string>{};
}

// Whatever the dialog's thread shows goes, so that a dialog that was not recognised cannot hang the test.
BOOL CALLBACK CloseWindowOf(HWND window, LPARAM) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Chooses the entry of the dialog's "Look in" box that shows name, as a pick with the mouse would.
bool LookIn(HWND dialog, const std::string& name) {
    HWND box = GetDlgItem(dialog, cmb2);
    LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH] = "";
        LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, i, 0);
        if (length > 0 && length < MAX_PATH) SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        if (name != text) continue;
        SendMessageA(box, CB_SETCURSEL, i, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb2, CBN_SELENDOK), reinterpret_cast<LPARAM>(box));
        return true;
    }
    return false;
}

// A double-click on the item of the shell's own view that shows name.
bool OpenShellViewItem(HWND dialog, const std::string& name) {
    HWND defView = ChildOfClass(dialog, "SHELLDLL_DefView");
    HWND list = defView ? ChildOfClass(defView, WC_LISTVIEWA) : nullptr;
    std::vector<std::string> names = list ? ListColumn(list, 0) : std::vector<std::string>{};
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return false;
    int row = static_cast<int>(found - names.begin());
    SelectRow(list, row, true);
    NMITEMACTIVATE activate = {};
    activate.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_DBLCLK)};
    activate.iItem = row;
    SendMessageA(defView, WM_NOTIFY, activate.hdr.idFrom, reinterpret_cast<LPARAM>(&activate));
    return true;
}

}  // namespace

class WineFileDialogTest : public SendToTest {
protected:
    // Runs GetOpenFileName on the test's thread while drive works the dialog from another thread;
    // drive answers the step that failed ("" when all went well), and the dialog is cancelled when
    // one did. Answers GetOpenFileName's result and puts the chosen file into chosen.
    bool RunDialog(const std::function<std::string(HWND)>& drive) {
        char file[MAX_PATH * 4] = "";
        OPENFILENAMEA request = {};
        request.lStructSize = sizeof request;
        request.lpstrFilter = "All files\0*.*\0";
        request.lpstrFile = file;
        request.nMaxFile = sizeof file;
        request.lpstrTitle = kDialogTitle;
        request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        DWORD dialogThread = GetCurrentThreadId();
        std::thread driver([&] {
            HWND dialog = dialogtest::WaitForWindow(kDialogTitle);
            failedStep = dialog ? drive(dialog) : "the dialog never showed";
            if (!dialog) EnumThreadWindows(dialogThread, CloseWindowOf, 0);
            if (!failedStep.empty() && IsWindow(dialog)) {
                dialogtest::SaveScreenshot(dialog, "wine_file_dialog_failed");
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        });
        BOOL chosenOk = GetOpenFileNameA(&request);
        driver.join();
        chosen = chosenOk ? file : "";
        return chosenOk;
    }

    // From the dialog's first folder to the memory card in thumbnails, through My Computer and
    // the camera's own view: "" or the step that failed.
    std::string GoToTheCard(HWND dialog) {
        if (!LookIn(dialog, "My Computer")) return "the Look in box offers My Computer";
        if (!Await([&] { return Contains(ShellViewNames(dialog), cameraName); }))
            return "My Computer lists the camera";
        if (!OpenShellViewItem(dialog, cameraName)) return "the camera opens from My Computer";
        HWND list = nullptr;
        if (!Await([&] { return (list = ListOf(dialog)) && Contains(ListColumn(list, 0), "Memory Card"); }))
            return "the camera's view shows the memory card";
        std::vector<std::string> names = ListColumn(list, 0);
        int row = static_cast<int>(std::find(names.begin(), names.end(), "Memory Card") - names.begin());
        SelectRow(list, row, true);
        NMHDR header = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_DBLCLK)};
        SendMessageA(GetParent(list), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        if (!Await([&] { return (thumbs = ThumbnailsOf(dialog)) && IsWindowVisible(thumbs); }))
            return "the memory card opens in thumbnails";
        return "";
    }

    void SetUp() override {
        SendToTest::SetUp();
        SHFILEINFOA info = {};
        ASSERT_TRUE(SHGetFileInfoA(reinterpret_cast<LPCSTR>(cameraPidl.get()), 0, &info, sizeof info,
                                   SHGFI_PIDL | SHGFI_DISPLAYNAME));
        cameraName = info.szDisplayName;
    }

    std::string cameraName;
    std::string failedStep;
    std::string chosen;
};

TEST_F(WineFileDialogTest, OkHandsTheProgramARealCopyOfTheChosenPicture) {
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    std::vector<std::string> beforeOk = {"(not looked at)"};
    bool ok = RunDialog([&](HWND dialog) -> std::string {
        if (std::string failed = GoToTheCard(dialog); !failed.empty()) return failed;
        ClickCell(2);
        dialogtest::SaveScreenshot(dialog, "wine_file_dialog_card");
        beforeOk = transfertest::FilesIn(area);
        Press(dialog, IDOK);
        return "";
    });
    EXPECT_EQ("", failedStep);
    EXPECT_EQ(std::vector<std::string>{}, beforeOk) << "choosing copies nothing yet";
    ASSERT_TRUE(ok) << CommDlgExtendedError();
    EXPECT_EQ(area + "PV000008.JPG", chosen);
    EXPECT_TRUE(SameAsCard("PV000008.JPG", chosen));
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(WineFileDialogTest, CancelCopiesNothing) {
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    bool ok = RunDialog([&](HWND dialog) -> std::string {
        if (std::string failed = GoToTheCard(dialog); !failed.empty()) return failed;
        ClickCell(2);
        Press(dialog, IDCANCEL);
        return "";
    });
    EXPECT_EQ("", failedStep);
    EXPECT_FALSE(ok);
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(std::vector<std::string>{}, transfertest::FilesIn(area));
    EXPECT_TRUE(answerer.Seen().empty());
}

TEST_F(WineFileDialogTest, ThePicturesAndTheCardsMenusThereKeepOnlyTheirProperties) {
    menutest::Entries picture, background;
    bool ok = RunDialog([&](HWND dialog) -> std::string {
        if (std::string failed = GoToTheCard(dialog); !failed.empty()) return failed;
        for (auto [where, entries] : {std::pair{ToClient(PictureMiddle(2)), &picture},
                                      std::pair{ToClient({CellOrigin(0).x, CellOrigin(0).y + CellHeight() + 7}),
                                                &background}}) {
            menutest::TrackedMenuReader reader;
            SendMessageA(thumbs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(where.x, where.y));
            SendMessageA(thumbs, WM_RBUTTONUP, 0, MAKELPARAM(where.x, where.y));
            *entries = reader.Read();
        }
        Press(dialog, IDCANCEL);
        return "";
    });
    EXPECT_EQ("", failedStep);
    EXPECT_FALSE(ok);
    EXPECT_EQ((menutest::Entries{{"P&roperties", ID_PICTURE_PROPERTIES}}), picture);
    EXPECT_EQ((menutest::Entries{{"P&roperties", ID_MEMORY_FOLDER_PROPERTIES}}), background);
}

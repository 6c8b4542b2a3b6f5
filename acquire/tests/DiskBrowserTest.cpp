// The DISK button on a folder of picture files (the build's plain JPEG, a camera JPEG and a
// FlashPix file of the simulated camera's card, a .JPG that is no JPEG, a text file): the "Get
// Disk Pictures" dialog, PVACQUIRE.INI, retrieval with the unreadable file skipped, Cancel in the
// progress box; and the Preferences dialog with Reset.
#include "AcquireModule.h"
#include "ChooserDriving.h"
#include "PvresIds.h"
#include "Screenshot.h"
#include "SimulatedCamera.h"
#include "UniqueWindow.h"
#include "WindowAnswerer.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace acquiretest;

namespace {

void WritePreference(const char* key, const std::string& value) {
    WritePrivateProfileStringA("Preferences", key, value.c_str(), "PVACQUIRE.INI");
}

std::string WindowsDirectory() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

bool SameFolder(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

class DiskBrowserTest : public SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "pvdisk";
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* name : {"PLAIN.JPG", "CAMERA.JPG", "SCENE.FPX", "NOTJPEG.JPG", "README.TXT"})
            DeleteFileA((folder + "\\" + name).c_str());
        ASSERT_TRUE(CopyFileA(PV_TEST_FILES "\\PLAIN.JPG", (folder + "\\PLAIN.JPG").c_str(), FALSE));
        std::vector<std::string> names = CardPictures();
        for (size_t i = 0; i < names.size(); ++i) {
            std::string target = names[i].find(".FPX") != std::string::npos ? "SCENE.FPX" : "CAMERA.JPG";
            if (names[i] != "BROKEN.JPG") CopyFileA(CardPath(PicturePath(int(i + 1))).c_str(), (folder + "\\" + target).c_str(), FALSE);
        }
        Put("NOTJPEG.JPG", "not a picture");
        Put("README.TXT", "not listed");
        acquire = std::make_unique<AcquireModule>(-1, 0);
        ASSERT_TRUE(acquire->loaded());
        dialog = OpenAcquireDialog(acquire->calls(), &parent);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override {
        acquire->calls().close(dialog);
        acquire.reset();
        // Nothing the chooser or retrieval did keeps the library loaded.
        EXPECT_EQ(nullptr, GetModuleHandleA("pvacquire.dll"));
        SimulatedCameraTest::TearDown();
    }
    void Put(const std::string& name, const std::string& text) {
        FILE* file = fopen((folder + "\\" + name).c_str(), "wb");
        ASSERT_TRUE(file);
        fputs(text.c_str(), file);
        fclose(file);
    }
    void PressDisk() { Press(dialog, IDC_DISK_BUTTON); }

    std::string folder;
    std::unique_ptr<AcquireModule> acquire;
    pv::UniqueWindow parent;
    HWND dialog = nullptr;
};

struct DiskView {
    std::string folder;
    std::vector<std::string> files, transfers;
    bool okAtStart = true, okWithTransfers = false;
    std::string screenshot;
};

// Chooses every file of the folder shown.
std::function<void(HWND)> ChooseAll(DiskView* view) {
    return [view](HWND chooser) {
        view->folder = SelectedFolder(chooser);
        view->files = ListItems(GetDlgItem(chooser, IDC_CHOOSER_FILES));
        view->okAtStart = Enabled(chooser, IDOK);
        SendDlgItemMessageA(chooser, IDC_CHOOSER_SHOW_THUMBNAIL, BM_SETCHECK, BST_CHECKED, 0);
        Press(chooser, IDC_CHOOSER_SHOW_THUMBNAIL);
        SelectFiles(chooser, 0, int(view->files.size()) - 1);
        Press(chooser, IDC_CHOOSER_ADD);
        view->transfers = ListItems(GetDlgItem(chooser, IDC_CHOOSER_TRANSFER_LIST));
        view->okWithTransfers = Enabled(chooser, IDOK);
        view->screenshot = dialogtest::SaveScreenshot(chooser, "disk_chooser");
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

// Presses Cancel in the progress box as soon as it opens.
LRESULT CALLBACK CancelProgress(int code, WPARAM wParam, LPARAM lParam) {
    auto message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG && GetDlgItem(message->hwnd, IDC_PROGRESS_BAR))
        PostMessageA(message->hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(DiskBrowserTest, ChosenFilesAreRetrievedAndTheUnreadableOneIsReported) {
    WritePreference("PreviousPath", folder);
    DiskView view;
    WindowDriver driver("Get Disk Pictures", ChooseAll(&view));
    WindowAnswerer unreadable("Unreadable File Type", IDOK, 60000);
    PressDisk();
    ASSERT_TRUE(driver.Drove());
    auto seen = unreadable.Seen();

    EXPECT_TRUE(SameFolder("pvdisk", view.folder)) << view.folder;
    std::vector<std::string> files = view.files;
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"CAMERA.JPG", "NOTJPEG.JPG", "PLAIN.JPG", "SCENE.FPX"}), files);
    EXPECT_FALSE(view.okAtStart);
    EXPECT_TRUE(view.okWithTransfers);
    ASSERT_EQ(4u, view.transfers.size());
    for (const std::string& path : view.transfers) EXPECT_TRUE(SameFolder(folder, path.substr(0, path.rfind('\\')))) << path;
    EXPECT_NE("", view.screenshot);

    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->Shows("Unable to read the file: " + folder + "\\NOTJPEG.JPG.\nThe file may be opened by using "
                            "File/Open in your host application."));
    EXPECT_EQ(" Number retrieved: 3", DialogText(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_TRUE(Enabled(dialog, IDC_TRANSFER_BUTTON));
    EXPECT_TRUE(SameFolder(folder, PreferenceValue("PreviousPath")));
    EXPECT_EQ("1", PreferenceValue("DiskShowThumbnail"));
    EXPECT_EQ("1", PreferenceValue("ShowFileExt"));
    PumpMessages(300, nullptr);
    EXPECT_NE("", dialogtest::SaveScreenshot(dialog, "acquire_dialog_disk_pictures"));

    // A disk picture's information: name, resolution, size and format.
    std::vector<std::string> texts;
    WindowDriver information("Picture Information", [&](HWND box) {
        for (int id = IDC_INFO_VALUE_FIRST; id < IDC_INFO_VALUE_FIRST + IDC_INFO_FIELD_COUNT; ++id)
            texts.push_back(DialogText(box, id));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    SendMessageA(dialog, WM_LBUTTONDBLCLK, 0, FirstThumbnail(dialog));
    ASSERT_TRUE(information.Drove());
    ASSERT_EQ(10u, texts.size());
    EXPECT_TRUE(texts[0] == "CAMERA.JPG" || texts[0] == "PLAIN.JPG" || texts[0] == "SCENE.FPX") << texts[0];
    if (texts[0] == "PLAIN.JPG") {
        EXPECT_EQ("160 x 120", texts[2]);
    }
    EXPECT_EQ("Unknown", texts[1]);
    EXPECT_EQ("Unknown", texts[9]);
}

TEST_F(DiskBrowserTest, WithoutPreferencesItOpensInTheWindowsFolderAndCancelStillSavesIt) {
    ASSERT_EQ("(none)", PreferenceValue("PreviousPath"));
    std::string shown;
    WindowDriver driver("Get Disk Pictures", [&](HWND chooser) {
        shown = SelectedFolder(chooser);
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    PressDisk();
    ASSERT_TRUE(driver.Drove());
    std::string windows = WindowsDirectory();
    EXPECT_TRUE(SameFolder(windows.substr(windows.rfind('\\') + 1), shown)) << shown;
    EXPECT_TRUE(SameFolder(windows, PreferenceValue("PreviousPath")));
    EXPECT_EQ("1", PreferenceValue("ShowFileExt"));
    EXPECT_EQ("0", PreferenceValue("DiskShowThumbnail"));
    EXPECT_EQ("", DialogText(dialog, IDC_RETRIEVED_FIELD));
}

TEST_F(DiskBrowserTest, NamesGoWithoutExtensionsWhenThePreferencesSaySo) {
    WritePreference("PreviousPath", folder);
    WritePreference("ShowFileExt", "0");
    std::vector<std::string> files;
    WindowDriver driver("Get Disk Pictures", [&](HWND chooser) {
        files = ListItems(GetDlgItem(chooser, IDC_CHOOSER_FILES));
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    PressDisk();
    ASSERT_TRUE(driver.Drove());
    std::sort(files.begin(), files.end());
    EXPECT_EQ((std::vector<std::string>{"CAMERA", "NOTJPEG", "PLAIN", "SCENE"}), files);
    EXPECT_EQ("0", PreferenceValue("ShowFileExt"));
}

TEST_F(DiskBrowserTest, CancelInTheProgressBoxRetrievesNothing) {
    WritePreference("PreviousPath", folder);
    DiskView view;
    WindowDriver driver("Get Disk Pictures", ChooseAll(&view));
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CancelProgress, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    PressDisk();
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(driver.Drove());
    EXPECT_EQ(4u, view.transfers.size());
    EXPECT_EQ("", DialogText(dialog, IDC_RETRIEVED_FIELD));
    EXPECT_FALSE(Enabled(dialog, IDC_TRANSFER_BUTTON));
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

// The Preferences dialog: what it offers and shows, OK, Cancel and Reset.
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        acquire = std::make_unique<AcquireModule>(0, 4);
        ASSERT_TRUE(acquire->loaded());
        dialog = OpenAcquireDialog(acquire->calls(), &parent);
        ASSERT_TRUE(dialog);
    }
    void TearDown() override {
        if (acquire) acquire->calls().close(dialog);
    }
    // Opens Preferences, runs drive in it, then presses button.
    void Edit(const std::function<void(HWND)>& drive, int button) {
        WindowDriver driver("Preferences", [&](HWND box) {
            drive(box);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        Press(dialog, IDC_PREF_BUTTON);
        ASSERT_TRUE(driver.Drove());
    }

    std::unique_ptr<AcquireModule> acquire;
    pv::UniqueWindow parent;
    HWND dialog = nullptr;
};

TEST_F(PreferencesTest, OkKeepsTheChoiceCancelDoesNotAndResetShowsTheDefaults) {
    std::vector<std::string> ports, speeds;
    std::string port, speed, screenshot;
    Edit([&](HWND box) {
        ports = ComboItems(GetDlgItem(box, IDC_PREF_PORT));
        speeds = ComboItems(GetDlgItem(box, IDC_PREF_SPEED));
        port = ComboText(GetDlgItem(box, IDC_PREF_PORT));
        speed = ComboText(GetDlgItem(box, IDC_PREF_SPEED));
        screenshot = dialogtest::SaveScreenshot(box, "preferences");
        SendDlgItemMessageA(box, IDC_PREF_SPEED, CB_SETCURSEL, 2, 0);
        SendDlgItemMessageA(box, IDC_PREF_PORT, CB_SETCURSEL, WPARAM(ports.size() - 1), 0);
    }, IDOK);
    EXPECT_EQ((std::vector<std::string>{"Auto Search", "9600", "19200", "38400", "57600", "115200"}), speeds);
    ASSERT_FALSE(ports.empty());
    EXPECT_EQ("Auto Search", ports[0]);
    for (size_t i = 1; i < ports.size(); ++i) EXPECT_EQ(0u, ports[i].rfind("COM", 0)) << ports[i];
    EXPECT_EQ("Auto Search", port);
    EXPECT_EQ("57600", speed);
    EXPECT_NE("", screenshot);

    // Cancel leaves the choice as it was; the dialog shows it.
    Edit([&](HWND box) {
        port = ComboText(GetDlgItem(box, IDC_PREF_PORT));
        speed = ComboText(GetDlgItem(box, IDC_PREF_SPEED));
        SendDlgItemMessageA(box, IDC_PREF_SPEED, CB_SETCURSEL, 5, 0);
    }, IDCANCEL);
    EXPECT_EQ(ports.back(), port);
    EXPECT_EQ("19200", speed);

    // Reset shows automatic search for both; OK keeps that, and the library writes it at unload.
    Edit([&](HWND box) {
        Press(box, IDC_PREF_RESET);
        port = ComboText(GetDlgItem(box, IDC_PREF_PORT));
        speed = ComboText(GetDlgItem(box, IDC_PREF_SPEED));
    }, IDOK);
    EXPECT_EQ("Auto Search", port);
    EXPECT_EQ("Auto Search", speed);
    acquire->calls().close(dialog);
    acquire->Unload();
    EXPECT_EQ("0", PreferenceValue("ComPort"));
    EXPECT_EQ("0", PreferenceValue("BaudRate"));
    acquire.reset();
}

TEST_F(PreferencesTest, AChosenPortAndSpeedReachTheFileAtUnload) {
    std::vector<std::string> ports;
    Edit([&](HWND box) {
        ports = ComboItems(GetDlgItem(box, IDC_PREF_PORT));
        SendDlgItemMessageA(box, IDC_PREF_PORT, CB_SETCURSEL, WPARAM(ports.size() - 1), 0);
        SendDlgItemMessageA(box, IDC_PREF_SPEED, CB_SETCURSEL, 5, 0);
    }, IDOK);
    acquire->calls().close(dialog);
    acquire->Unload();
    std::string chosen = ports.back() == "Auto Search" ? "0" : ports.back().substr(3);
    EXPECT_EQ(chosen, PreferenceValue("ComPort"));
    EXPECT_EQ("5", PreferenceValue("BaudRate"));
    acquire.reset();
}

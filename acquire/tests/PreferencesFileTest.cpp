// PVACQUIRE.INI as other programs, damaged disks or hostile users leave it: missing sections, huge
// and negative numbers, ports and speeds the camera library cannot use, binary junk and overlong
// lines. The library loads, its dialogs show what it read, and it writes sound values back.
#include "AcquireModule.h"
#include "ChooserDriving.h"
#include "PvresIds.h"
#include "UniqueWindow.h"
#include "WindowAnswerer.h"

#include <gtest/gtest.h>

using namespace acquiretest;

namespace {

struct PreferencesCase {
    const char* name;
    std::string file;
    // What the library writes back at unload, and what its Preferences dialog shows.
    const char* comPort;
    const char* baudRate;
    const char* cameraType;
    const char* speedShown;
};

std::string Junk() {
    static const char kStart[] = "\xEF\xBB\xBF[Pref\0erences]\r\n";
    std::string junk(kStart, sizeof kStart - 1);
    for (int i = 0; i < 4096; ++i) junk += char((i * 151 + 7) & 0xFF);
    return junk + "\r\n[Preferences]\r\nComPort=\x01\x02\xFF\r\nBaudRate==3\r\nCameraType=\x80\x80\r\n";
}

std::string Overlong() {
    return "[Preferences]\r\nPreviousPath=C:\\" + std::string(70000, 'A') + "\r\nComPort=" + std::string(5000, '9') +
           "\r\nBaudRate=2\r\n" + std::string(100000, '[') + "\r\n";
}

const PreferencesCase kCases[] = {
    {"sound", "[Preferences]\r\nComPort=1\r\nBaudRate=5\r\nCameraType=106\r\n", "1", "5", "106", "115200"},
    {"no section", "[Other]\r\nComPort=3\r\nBaudRate=2\r\n", "0", "0", "105", "Auto Search"},
    {"empty", "", "0", "0", "105", "Auto Search"},
    {"huge", "[Preferences]\r\nComPort=99999999999999999999\r\nBaudRate=4294967297\r\nCameraType=-7\r\n", "0", "0",
     "105", "Auto Search"},
    {"out of range", "[Preferences]\r\nComPort=12\r\nBaudRate=6\r\nCameraType=32768\r\n", "0", "0", "105", "Auto Search"},
    {"negative", "[Preferences]\r\nComPort=-1\r\nBaudRate=-2\r\n", "0", "0", "105", "Auto Search"},
    {"junk", Junk(), "0", "0", "105", "Auto Search"},
    {"overlong", Overlong(), "0", "2", "105", "19200"},
};

class PreferencesFileTest : public ::testing::TestWithParam<PreferencesCase> {
protected:
    void TearDown() override { WritePreferences(-1, 0); }
};

}  // namespace

TEST_P(PreferencesFileTest, IsReadSafelyAndWrittenBackSound) {
    const PreferencesCase& c = GetParam();
    AcquireModule acquire(c.file);
    {
        ASSERT_TRUE(acquire.loaded());
        pv::UniqueWindow parent;
        HWND dialog = OpenAcquireDialog(acquire.calls(), &parent);
        ASSERT_TRUE(dialog);
        std::string port, speed, folder;
        WindowDriver preferences("Preferences", [&](HWND box) {
            port = ComboText(GetDlgItem(box, IDC_PREF_PORT));
            speed = ComboText(GetDlgItem(box, IDC_PREF_SPEED));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        Press(dialog, IDC_PREF_BUTTON);
        ASSERT_TRUE(preferences.Drove());
        EXPECT_EQ(c.speedShown, speed);
        if (std::string(c.comPort) == "0") {
            EXPECT_EQ("Auto Search", port);
        }
        // The disk chooser opens on whatever folder the file names, and saves a sound one.
        WindowDriver chooser("Get Disk Pictures", [&](HWND box) {
            folder = SelectedFolder(box);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        Press(dialog, IDC_DISK_BUTTON);
        ASSERT_TRUE(chooser.Drove());
        EXPECT_FALSE(folder.empty());
        EXPECT_EQ(0, acquire.calls().close(dialog));
    }
    acquire.Unload();
    EXPECT_EQ(c.comPort, PreferenceValue("ComPort"));
    EXPECT_EQ(c.baudRate, PreferenceValue("BaudRate"));
    EXPECT_EQ(c.cameraType, PreferenceValue("CameraType"));
    const std::string saved = PreferenceValue("PreviousPath");
    EXPECT_LT(saved.size(), size_t(MAX_PATH));
}

INSTANTIATE_TEST_SUITE_P(Files, PreferencesFileTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PreferencesCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (ch == ' ') ch = '_';
                             return name;
                         });

// The connection, copy, format, serial and advanced settings dialogs, shown for real and driven
// with window messages.
#include "Camera.h"
#include "ComPtr.h"
#include "ConnectDialog.h"
#include "CopyProgressDialog.h"
#include "DialogDriver.h"
#include "FormatProgressDialog.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "PeerClient.h"
#include "RegistryFixture.h"
#include "Screenshot.h"
#include "SerialConfigDialog.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>

using namespace dialogtest;

namespace {

constexpr DWORD kAnnouncement = 0xFFFFFFFF;
const char* const kStepTexts[] = {"Initializing host serial port", "Finishing host serial port configuration",
                                  "Reset camera and set communications speed", "Get camera settings and status"};

std::optional<DWORD> MachineDword(const char* key, const char* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

class ConnectDialogTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    HWND Window() const { return dialog.Window(); }
    ULONG_PTR User() { return reinterpret_cast<ULONG_PTR>(&dialog); }

    pvtest::ScopedLinkKey key;
    CConnectDialog dialog;
};

TEST_F(ConnectDialogTest, StartsHiddenWithEveryStepUnderWayAndDisabled) {
    EXPECT_FALSE(IsWindowVisible(Window()));
    const std::vector<BYTE> underWay = StateIconPixels(IDI_STEP_UNDER_WAY);
    ASSERT_FALSE(underWay.empty());
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(kStepTexts[step], ControlText(Window(), IDC_STEP_TEXT_FIRST + step));
        EXPECT_FALSE(ControlEnabled(Window(), IDC_STEP_TEXT_FIRST + step));
        EXPECT_FALSE(ControlEnabled(Window(), IDC_STEP_ICON_FIRST + step));
        EXPECT_EQ(underWay, ShownIconPixels(Window(), IDC_STEP_ICON_FIRST + step));
    }
    // The control accepts a play only while it holds an open clip.
    EXPECT_TRUE(SendDlgItemMessageA(Window(), IDC_CONNECT_ANIMATION, ACM_PLAY, static_cast<WPARAM>(-1),
                                    MAKELPARAM(0, 0xFFFF)));
    EXPECT_FALSE(ConnectCancelRequested());
}

TEST(ArtTest, ConnectionAnimationOpensInAnAnimationControl) {
    HWND control = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                                   mounter::ModuleInstance(), nullptr);
    ASSERT_NE(nullptr, control);
    EXPECT_TRUE(Animate_OpenEx(control, mounter::ModuleInstance(), MAKEINTRESOURCEA(IDR_CONNECT_AVI)));
    EXPECT_TRUE(Animate_Seek(control, 11));    // twelve frames
    EXPECT_FALSE(Animate_Seek(control, 12));
    DestroyWindow(control);
}

// The sizes held by an icon group of the module.
std::vector<int> IconSizes(UINT id) {
    HINSTANCE module = mounter::ModuleInstance();
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));   // RT_GROUP_ICON
    const BYTE* group = resource ? static_cast<const BYTE*>(LockResource(LoadResource(module, resource))) : nullptr;
    std::vector<int> sizes;
    if (!group) return sizes;
    WORD count = *reinterpret_cast<const WORD*>(group + 4);
    for (WORD i = 0; i < count; ++i) sizes.push_back(group[6 + 14 * i]);   // 14-byte entries, width first
    return sizes;
}

TEST(ArtTest, FolderIconsComeInTwoSizesAndStepIconsInOne) {
    for (UINT id : {IDI_CAMERA, IDI_CAMERA_MEMORY, IDI_MEMORY_CARD, IDI_ALBUM})
        EXPECT_EQ((std::vector<int>{32, 16}), IconSizes(id)) << id;
    for (UINT id : {IDI_STEP_DONE, IDI_STEP_FAILED, IDI_STEP_UNDER_WAY})
        EXPECT_EQ((std::vector<int>{16}), IconSizes(id)) << id;
}

TEST_F(ConnectDialogTest, ReportEnablesTheStepAndShowsItsState) {
    const std::vector<BYTE> underWay = StateIconPixels(IDI_STEP_UNDER_WAY);
    const std::vector<BYTE> done = StateIconPixels(IDI_STEP_DONE);
    const std::vector<BYTE> failed = StateIconPixels(IDI_STEP_FAILED);
    ASSERT_NE(underWay, done);
    ASSERT_NE(done, failed);

    dialog.Report(586, 591, IDI_STEP_UNDER_WAY);
    EXPECT_TRUE(ControlEnabled(Window(), 586));
    EXPECT_TRUE(ControlEnabled(Window(), 591));
    EXPECT_EQ(underWay, ShownIconPixels(Window(), 591));
    EXPECT_FALSE(ControlEnabled(Window(), 587));
    EXPECT_FALSE(ControlEnabled(Window(), 592));

    dialog.Report(586, 591, IDI_STEP_DONE);
    EXPECT_EQ(done, ShownIconPixels(Window(), 591));

    dialog.Report(588, 593, IDI_STEP_FAILED);
    EXPECT_TRUE(ControlEnabled(Window(), 588));
    EXPECT_TRUE(ControlEnabled(Window(), 593));
    EXPECT_EQ(failed, ShownIconPixels(Window(), 593));
    EXPECT_EQ(underWay, ShownIconPixels(Window(), 592));
    EXPECT_FALSE(ControlEnabled(Window(), 589));
    EXPECT_FALSE(ControlEnabled(Window(), 594));
}

TEST_F(ConnectDialogTest, CancelSetsTheFlagThatTheCallbackAnswers) {
    EXPECT_EQ(0u, ConnectProgressCallback(User(), 586, 591, IDI_STEP_UNDER_WAY));
    // The click waits in the queue until the callback dispatches the dialog's messages.
    PostMessageA(GetDlgItem(Window(), IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_FALSE(ConnectCancelRequested());
    EXPECT_EQ(1u, ConnectProgressCallback(User(), 586, 591, IDI_STEP_DONE));
    EXPECT_TRUE(ConnectCancelRequested());
    EXPECT_EQ(nullptr, Window());
    EXPECT_EQ(1u, ConnectProgressCallback(User(), 587, 592, IDI_STEP_UNDER_WAY));

    // The next connection's dialog starts without it.
    CConnectDialog next;
    ASSERT_TRUE(next.Create(nullptr));
    EXPECT_FALSE(ConnectCancelRequested());
}

TEST_F(ConnectDialogTest, AnnouncementShowsTheDialogWhenTheKeyIsMissing) {
    EXPECT_TRUE(ShowConnectionProgressSetting());
    ConnectProgressCallback(User(), 586, 591, IDI_STEP_UNDER_WAY);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(0u, ConnectProgressCallback(User(), kAnnouncement, kAnnouncement, kAnnouncement));
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(ConnectDialogTest, AnnouncementShowsTheDialogWhenTheSettingIsOn) {
    key.set("ShowConnectionProgress", 1);
    ConnectProgressCallback(User(), kAnnouncement, kAnnouncement, kAnnouncement);
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(ConnectDialogTest, AnnouncementLeavesTheDialogHiddenWhenTheSettingIsOff) {
    key.set("ShowConnectionProgress", 0);
    EXPECT_FALSE(ShowConnectionProgressSetting());
    ConnectProgressCallback(User(), kAnnouncement, kAnnouncement, kAnnouncement);
    EXPECT_FALSE(dialog.IsVisible());
    // The steps are still recorded in the hidden dialog.
    ConnectProgressCallback(User(), 586, 591, IDI_STEP_DONE);
    EXPECT_TRUE(ControlEnabled(Window(), 586));
}

TEST_F(ConnectDialogTest, Screenshot) {
    ConnectProgressCallback(User(), kAnnouncement, kAnnouncement, kAnnouncement);
    ConnectProgressCallback(User(), 586, 591, IDI_STEP_DONE);
    ConnectProgressCallback(User(), 587, 592, IDI_STEP_DONE);
    ConnectProgressCallback(User(), 588, 593, IDI_STEP_FAILED);
    ConnectProgressCallback(User(), 589, 594, IDI_STEP_UNDER_WAY);
    EXPECT_NE("", SaveScreenshot(Window(), "connect"));
}

// ---------------------------------------------------------------------------------------------

class CopyProgressTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    HWND Window() const { return dialog.Window(); }
    DWORD Report(DWORD done, DWORD total) {
        return CopyProgressCallback(reinterpret_cast<ULONG_PTR>(&dialog), done, total);
    }
    LRESULT Position() const { return SendDlgItemMessageA(Window(), IDC_COPY_PROGRESS, PBM_GETPOS, 0, 0); }
    LRESULT RangeEnd() const { return SendDlgItemMessageA(Window(), IDC_COPY_PROGRESS, PBM_GETRANGE, FALSE, 0); }

    CCopyProgressDialog dialog;
};

TEST_F(CopyProgressTest, FirstReportScalesTheBarToTheTotal) {
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(0, Position());
    EXPECT_EQ(0u, Report(0, 1000));
    EXPECT_EQ("1000", ControlText(Window(), IDC_COPY_SIZE));
    EXPECT_EQ(100, RangeEnd());
    EXPECT_EQ(0, Position());
    Report(512, 1000);
    EXPECT_EQ(51, Position());
    Report(1000, 1000);
    EXPECT_EQ(100, Position());
}

TEST_F(CopyProgressTest, TotalUnderOneHundredBytesShowsOnlyTheEnd) {
    Report(0, 50);
    EXPECT_EQ("50", ControlText(Window(), IDC_COPY_SIZE));
    Report(25, 50);
    EXPECT_EQ(0, Position());
    Report(50, 50);
    EXPECT_EQ(100, Position());
}

TEST_F(CopyProgressTest, UnknownSizeStartsANewScaleWithTheNextFile) {
    Report(1000, 1000);
    dialog.SetFileName("P0000002.JPG");
    dialog.SetSizeUnknown();
    dialog.UpdateData();
    EXPECT_EQ("P0000002.JPG", ControlText(Window(), IDC_COPY_FILE_NAME));
    EXPECT_EQ("", ControlText(Window(), IDC_COPY_SIZE));
    Report(1000, 20000);
    EXPECT_EQ("20000", ControlText(Window(), IDC_COPY_SIZE));
    EXPECT_EQ(5, Position());
}

TEST_F(CopyProgressTest, AKnownSizeIsShownBeforeTheFirstReport) {
    dialog.SetFileName("P0000003.JPG");
    dialog.SetSize(123456);
    dialog.UpdateData();
    EXPECT_EQ("123456", ControlText(Window(), IDC_COPY_SIZE));
    Report(0, 123456);
    EXPECT_EQ("123456", ControlText(Window(), IDC_COPY_SIZE));
    Report(61728, 123456);
    EXPECT_EQ(50, Position());
}

TEST_F(CopyProgressTest, CancelSetsTheFlagThatTheCallbackAnswers) {
    EXPECT_EQ(0u, Report(0, 1000));
    PostMessageA(GetDlgItem(Window(), IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(1u, Report(512, 1000));
    EXPECT_TRUE(CopyCancelRequested());
    EXPECT_EQ(nullptr, Window());

    CCopyProgressDialog next;
    ASSERT_TRUE(next.Create(nullptr));
    EXPECT_FALSE(CopyCancelRequested());
}

TEST(FormatProgressTest, ShowsTheNoticeUntilHidden) {
    CFormatProgressDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_TRUE(IsWindowVisible(dialog.Window()));
    char title[64] = "?";
    GetWindowTextA(dialog.Window(), title, sizeof title);
    EXPECT_STREQ("", title);
    EXPECT_EQ("Memory Card format is in progress.\nDo not turn the camera off, or remove the\n"
              "memory card, until the format completes.",
              LongestStaticText(dialog.Window()));
    dialog.Hide();
    EXPECT_FALSE(IsWindowVisible(dialog.Window()));
}

// ---------------------------------------------------------------------------------------------

struct AdvancedView {
    int lock = -1, timeout = -1;
    bool checked = false;
    bool found = false;
};

AdvancedView ReadAdvanced(HWND dialog) {
    AdvancedView view;
    view.found = true;
    view.lock = static_cast<int>(SendDlgItemMessageA(dialog, IDC_LOCK_SLIDER, TBM_GETPOS, 0, 0));
    view.timeout = static_cast<int>(SendDlgItemMessageA(dialog, IDC_TIMEOUT_SLIDER, TBM_GETPOS, 0, 0));
    view.checked = IsDlgButtonChecked(dialog, IDC_SHOW_PROGRESS) == BST_CHECKED;
    return view;
}

class AdvancedSettingsTest : public testing::Test {
protected:
    // Shows the dialog, reads it back, optionally presses Defaults, then closes it with button.
    INT_PTR Run(int button, bool defaults = false, const char* screenshot = nullptr) {
        Watcher watcher([&] {
            HWND window = WaitForWindow("Advanced Settings");
            if (!window) return;
            shown = ReadAdvanced(window);
            if (screenshot) SaveScreenshot(window, screenshot);
            if (defaults) {
                PressButton(window, IDC_DEFAULTS);
                afterDefaults = ReadAdvanced(window);
            }
            ClickButton(window, button);
        });
        return CAdvancedSettingsDialog().DoModal(nullptr);
    }

    std::optional<DWORD> Stored(const char* name) { return MachineDword(pvtest::kLinkKey, name); }

    pvtest::ScopedLinkKey key;
    AdvancedView shown, afterDefaults;
};

TEST_F(AdvancedSettingsTest, TimeoutOfFiveSecondsShowsThirtyAndIsWrittenBackUnchanged) {
    key.set("LockDelay", 40);
    key.set("Timeout", 5000);
    key.set("ShowConnectionProgress", 0);
    EXPECT_EQ(IDOK, Run(IDOK));
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(40, shown.lock);
    EXPECT_EQ(30, shown.timeout);
    EXPECT_FALSE(shown.checked);
    EXPECT_EQ(40u, Stored("LockDelay"));
    EXPECT_EQ(5000u, Stored("Timeout"));
    EXPECT_EQ(0u, Stored("ShowConnectionProgress"));
}

TEST_F(AdvancedSettingsTest, TimeoutOfSevenAndAHalfSecondsShowsFortyTwoAndIsWrittenBackAsSeven) {
    key.set("Timeout", 7500);
    EXPECT_EQ(IDOK, Run(IDOK));
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(42, shown.timeout);
    EXPECT_EQ(7000u, Stored("Timeout"));
}

TEST_F(AdvancedSettingsTest, MissingKeyShowsTheDefaultsAndCancelWritesNothing) {
    EXPECT_EQ(IDCANCEL, Run(IDCANCEL, false, "advanced"));
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(25, shown.lock);
    EXPECT_EQ(30, shown.timeout);
    EXPECT_TRUE(shown.checked);
    EXPECT_FALSE(Stored("LockDelay"));
    EXPECT_FALSE(Stored("Timeout"));
    EXPECT_FALSE(Stored("ShowConnectionProgress"));
}

TEST_F(AdvancedSettingsTest, SlidersKeepToTheirRanges) {
    key.set("LockDelay", 1000);
    key.set("Timeout", 60000);
    EXPECT_EQ(IDOK, Run(IDOK));
    EXPECT_EQ(255, shown.lock);
    EXPECT_EQ(120, shown.timeout);
    EXPECT_EQ(255u, Stored("LockDelay"));
    EXPECT_EQ(20000u, Stored("Timeout"));
}

TEST_F(AdvancedSettingsTest, DefaultsThenOkWritesTheDefaults) {
    key.set("LockDelay", 100);
    key.set("Timeout", 12000);
    key.set("ShowConnectionProgress", 0);
    EXPECT_EQ(IDOK, Run(IDOK, true));
    EXPECT_EQ(100, shown.lock);
    EXPECT_EQ(72, shown.timeout);
    EXPECT_EQ(25, afterDefaults.lock);
    EXPECT_EQ(30, afterDefaults.timeout);
    EXPECT_TRUE(afterDefaults.checked);
    EXPECT_EQ(25u, Stored("LockDelay"));
    EXPECT_EQ(5000u, Stored("Timeout"));
    EXPECT_EQ(1u, Stored("ShowConnectionProgress"));
}


// ---------------------------------------------------------------------------------------------

using FolderPtr = pv::ComPtr<CMounterNameSpaceFolder>;

struct SerialView {
    bool found = false;
    std::vector<ComboEntry> ports, speeds;
    std::string port, speed;
};

SerialView ReadSerial(HWND dialog) {
    return {true, ComboEntries(dialog, IDC_PORT_LIST), ComboEntries(dialog, IDC_SPEED_LIST),
            ComboSelection(dialog, IDC_PORT_LIST), ComboSelection(dialog, IDC_SPEED_LIST)};
}

bool Lists(const std::vector<ComboEntry>& entries, const std::string& text) {
    for (const ComboEntry& entry : entries)
        if (entry.text == text) return true;
    return false;
}

std::string PortName(int com) { return "COM" + std::to_string(com) + ":"; }

// Without a link of its own, Wine gives COMn the machine's /dev/ttyS(n-1).
bool MachineHasSerialDevice(int com) {
    std::string device = "Z:\\dev\\ttyS" + std::to_string(com - 1);
    return GetFileAttributesA(device.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Ports 1 and 2 lead to terminals; 3 exists but cannot be opened, as a port that another program
// holds; 4 to 8 have no link, so they are missing unless the machine has such a device.
class SerialConfigTest : public testing::Test {
protected:
    void SetUp() override {
        pvtest::deleteMachineKey(pvtest::kMounterKey);
        key.set("LockDelay", 0);
        peer.openPort(1);
        peer.openPort(2);
        peer.command("deadlink 3");
        for (int com = 4; com <= 8; ++com) Unlink(com);
    }
    void TearDown() override {
        for (int com = 1; com <= 8; ++com) Unlink(com);
        pvtest::deleteMachineKey(pvtest::kMounterKey);
    }
    void Unlink(int com) {
        peer.openPort(com);
        peer.closePort(com);
    }
    // A missing port among 4 to 8, or 0 when this machine has them all.
    int MissingPort() const {
        for (int com = 4; com <= 8; ++com)
            if (!MachineHasSerialDevice(com)) return com;
        return 0;
    }

    FolderPtr Folder(DWORD port, DWORD speed) {
        pvtest::setMachineDword(pvtest::kMounterKey, "CommPort", port);
        pvtest::setMachineDword(pvtest::kMounterKey, "Speed", speed);
        return FolderPtr::attach(CCamera::CreateObject());
    }
    std::optional<DWORD> Stored(const char* name) { return MachineDword(pvtest::kMounterKey, name); }

    // Shows the dialog for folder; the watcher reads it back and then does what drive says.
    INT_PTR Run(CMounterNameSpaceFolder* folder, const std::function<void(HWND)>& drive) {
        Watcher watcher([&] {
            HWND window = WaitForWindow("Communications Settings");
            if (!window) return;
            shown = ReadSerial(window);
            drive(window);
        });
        return CSerialConfigDialog(folder).DoModal(nullptr);
    }
    static void Cancel(HWND window) { ClickButton(window, IDCANCEL); }

    pvtest::PeerClient peer;
    pvtest::ScopedLinkKey key;
    SerialView shown;
};

TEST_F(SerialConfigTest, ListsPresentAndBusyPortsButNotMissingOnes) {
    pv::UniqueHandle held(CreateFileA("COM2:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    FolderPtr folder = Folder(1, 57600);
    EXPECT_EQ(IDCANCEL, Run(folder.get(), [](HWND window) {
                  SaveScreenshot(window, "serial");
                  Cancel(window);
              }));
    held.reset();
    ASSERT_TRUE(shown.found);
    ASSERT_GE(shown.ports.size(), 3u);
    std::vector<ComboEntry> first(shown.ports.begin(), shown.ports.begin() + 3);
    EXPECT_EQ((std::vector<ComboEntry>{{"COM1:", 0}, {"COM2:", 1}, {"COM3:", 2}}), first);
    EXPECT_EQ("COM2:", shown.port);
    int missing = 0;
    for (int com = 4; com <= 8; ++com) {
        if (MachineHasSerialDevice(com)) continue;
        EXPECT_FALSE(Lists(shown.ports, PortName(com))) << PortName(com);
        ++missing;
    }
    EXPECT_EQ(1u, Stored("CommPort"));
    if (!missing) GTEST_SKIP() << "every COM port has a device on this machine";
}

TEST_F(SerialConfigTest, StoredPortAndSpeedAreSelected) {
    FolderPtr folder = Folder(2, 19200);
    EXPECT_EQ(IDCANCEL, Run(folder.get(), Cancel));
    EXPECT_EQ("COM3:", shown.port);
    EXPECT_EQ("19200", shown.speed);
}

TEST_F(SerialConfigTest, UnknownStoredSpeedSelectsTheFourthEntry) {
    FolderPtr folder = Folder(0, 4800);
    EXPECT_EQ(IDCANCEL, Run(folder.get(), Cancel));
    // Without a session the camera counts as model 3, which cannot take 230400 baud.
    EXPECT_EQ((std::vector<ComboEntry>{{"9600", 9600}, {"19200", 19200}, {"38400", 38400}, {"57600", 57600},
                                       {"115200", 115200}}),
              shown.speeds);
    EXPECT_EQ("57600", shown.speed);
    EXPECT_EQ(4800u, Stored("Speed"));
}

TEST_F(SerialConfigTest, StoredPortThatIsMissingSelectsTheFirstEntry) {
    int missing = MissingPort();
    if (!missing) GTEST_SKIP() << "every COM port has a device on this machine";
    FolderPtr folder = Folder(static_cast<DWORD>(missing - 1), 57600);
    EXPECT_EQ(IDCANCEL, Run(folder.get(), Cancel));
    EXPECT_EQ("COM1:", shown.port);
}

TEST_F(SerialConfigTest, AdvancedOpensTheAdvancedSettings) {
    FolderPtr folder = Folder(0, 57600);
    bool advancedShown = false;
    EXPECT_EQ(IDCANCEL, Run(folder.get(), [&](HWND window) {
                  ClickButton(window, IDC_ADVANCED);
                  HWND advanced = WaitForWindow("Advanced Settings");
                  advancedShown = advanced && GetWindow(advanced, GW_OWNER) == window;
                  if (advanced) ClickButton(advanced, IDCANCEL);
                  WaitUntilGone(advanced);
                  Cancel(window);
              }));
    EXPECT_TRUE(advancedShown);
}

TEST_F(SerialConfigTest, FailedReconnectRestoresTheSettingsAndKeepsTheDialogOpen) {
    FolderPtr folder = Folder(0, 57600);
    std::string message;
    bool stillOpen = false;
    std::optional<DWORD> portMeanwhile, speedMeanwhile;
    EXPECT_EQ(IDCANCEL, Run(folder.get(), [&](HWND window) {
                  SelectComboText(window, IDC_PORT_LIST, "COM3:");   // cannot be opened
                  SelectComboText(window, IDC_SPEED_LIST, "115200");
                  ClickButton(window, IDOK);
                  HWND box = WaitForWindow(mounter::LoadText(IDS_MOUNTER_CAPTION).c_str(), 60000);
                  if (!box) return Cancel(window);
                  message = LongestStaticText(box);
                  portMeanwhile = Stored("CommPort");
                  speedMeanwhile = Stored("Speed");
                  ClickButton(box, IDOK);
                  WaitUntilGone(box);
                  stillOpen = IsWindowVisible(window) != FALSE;
                  Cancel(window);
              }));
    EXPECT_EQ(mounter::LoadText(IDS_PORT_CHANGE_FAILED), message);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(0u, portMeanwhile);
    EXPECT_EQ(57600u, speedMeanwhile);
    EXPECT_EQ(0u, folder->Port());
    EXPECT_EQ(57600u, folder->Speed());
}

// With a camera on COM1.
class SerialConfigCameraTest : public SerialConfigTest {
protected:
    void SetUp() override {
        SerialConfigTest::SetUp();
        sim = std::make_unique<pvtest::PeerClient>(peer.startSimulator(1, 1, "--no-throttle").control);
    }
    void TearDown() override {
        sim.reset();
        peer.stopSimulator(1);
        SerialConfigTest::TearDown();
    }
    std::string Counter(const std::string& name) {
        std::string all = sim->command("counters");
        size_t at = all.find(name + "=");
        return at == std::string::npos ? "" : all.substr(at + name.size() + 1, all.find(' ', at) - at - name.size() - 1);
    }

    std::unique_ptr<pvtest::PeerClient> sim;
};

TEST_F(SerialConfigCameraTest, SameSettingsWhileConnectedCloseWithoutReconnecting) {
    FolderPtr folder = Folder(0, 57600);
    ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    sim->command("counters clear");
    EXPECT_EQ(IDOK, Run(folder.get(), [](HWND window) { ClickButton(window, IDOK); }));
    EXPECT_EQ("0", Counter("resets"));
    EXPECT_TRUE(folder->IsSessionOpen());
}

TEST_F(SerialConfigCameraTest, NewSpeedReconnectsAndIsStored) {
    FolderPtr folder = Folder(0, 57600);
    ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    sim->command("counters clear");
    EXPECT_EQ(IDOK, Run(folder.get(), [](HWND window) {
                  SelectComboText(window, IDC_SPEED_LIST, "115200");
                  ClickButton(window, IDOK);
              }));
    EXPECT_EQ("1", Counter("resets"));
    EXPECT_EQ("OK 115200 115200", "OK " + sim->command("speed"));
    EXPECT_TRUE(folder->IsSessionOpen());
    EXPECT_EQ(115200u, folder->Speed());
    EXPECT_EQ(115200u, Stored("Speed"));
    EXPECT_EQ(0u, Stored("CommPort"));
}

TEST_F(SerialConfigCameraTest, TheFastestSpeedIsOfferedToAConnectedPv360Only) {
    auto speeds = [](const std::vector<ComboEntry>& entries) {
        std::vector<std::string> texts;
        for (const ComboEntry& entry : entries) texts.push_back(entry.text);
        return texts;
    };
    FolderPtr folder = Folder(0, 57600);
    ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    ASSERT_EQ(2u, folder->GetCameraModelCode());
    EXPECT_EQ(IDCANCEL, Run(folder.get(), Cancel));
    EXPECT_EQ((std::vector<std::string>{"9600", "19200", "38400", "57600", "115200", "230400"}), speeds(shown.speeds));

    folder.reset();
    sim.reset();
    peer.stopSimulator(1);
    sim = std::make_unique<pvtest::PeerClient>(peer.startSimulator(1, 1, "--no-throttle --model PV350").control);
    folder = Folder(0, 57600);
    ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    ASSERT_EQ(3u, folder->GetCameraModelCode());
    EXPECT_EQ(IDCANCEL, Run(folder.get(), Cancel));
    EXPECT_EQ((std::vector<std::string>{"9600", "19200", "38400", "57600", "115200"}), speeds(shown.speeds));
    EXPECT_EQ("57600", shown.speed);
}

}  // namespace

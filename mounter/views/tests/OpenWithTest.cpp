// Opening a picture whose type has no key: the Open With dialog lists the programs of the
// registered types, the chosen program gets the temporary copy byte for byte, and the choice is
// registered for the type only when the user asks. The reading of open commands and the
// registration on their own.
#include "SendToFixture.h"

#include "DialogDriver.h"
#include "FileTypes.h"
#include "MessageBoxAnswerer.h"
#include "OpenWithPrograms.h"
#include "Screenshot.h"
#include "ScopedFileType.h"
#include "TempArea.h"
#include "TransferSupport.h"
#include "ViewResources.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <cctype>

using namespace viewtest;

namespace {

constexpr char kProgramType[] = "PVTest.OpenWithProgram";
constexpr char kRecorderName[] = "PV_ARG_RECORDER";
constexpr char kPicture[] = "PV000009.FPX";
constexpr int kPictureCell = 1;

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

struct OpenWithSeen {
    bool shown = false;
    std::string prompt;
    bool okAtFirst = true;
    bool okAfterChoice = false;
    std::vector<std::string> programs;
    bool otherShown = false;
};

// Answers the Open With dialog that the test's thread shows next: notes what it shows, chooses the
// program of the given name (ticking "Always use this program" when asked), saves a screenshot
// when a name is given, and ends it with OK, or with Cancel when told or when the program is not
// listed.
class OpenWithDriver {
public:
    // kOther: "Other..." and, in its file dialog, the program typed as a path.
    enum Answer { kChoose, kChooseAndRegister, kCancel, kOther };

    OpenWithDriver(std::string program, Answer answer, std::string screenshot = "")
        : m_program(std::move(program)), m_answer(answer), m_screenshot(std::move(screenshot)),
          m_thread([this] { Drive(); }) {}
    ~OpenWithDriver() { Join(); }
    OpenWithDriver(const OpenWithDriver&) = delete;
    OpenWithDriver& operator=(const OpenWithDriver&) = delete;

    OpenWithSeen Seen() {
        Join();
        return m_seen;
    }

private:
    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }
    void Drive() {
        HWND dialog = dialogtest::WaitForWindow("Open With");
        if (!dialog) return;
        m_seen.shown = true;
        m_seen.prompt = dialogtest::ControlText(dialog, IDC_OPEN_WITH_PROMPT);
        m_seen.okAtFirst = dialogtest::ControlEnabled(dialog, IDOK);
        HWND list = GetDlgItem(dialog, IDC_OPEN_WITH_LIST);
        m_seen.programs = ListColumn(list, 0);
        auto found = std::find(m_seen.programs.begin(), m_seen.programs.end(), m_program);
        bool choose = found != m_seen.programs.end() && m_answer != kCancel;
        if (found != m_seen.programs.end()) {
            SelectRow(list, static_cast<int>(found - m_seen.programs.begin()), true);
            m_seen.okAfterChoice = dialogtest::ControlEnabled(dialog, IDOK);
        }
        if (m_answer == kChooseAndRegister)
            SendDlgItemMessageA(dialog, IDC_OPEN_WITH_ALWAYS, BM_SETCHECK, BST_CHECKED, 0);
        if (!m_screenshot.empty()) dialogtest::SaveScreenshot(dialog, m_screenshot);
        if (m_answer == kOther) ChooseOther(dialog);
        else dialogtest::ClickButton(dialog, choose ? IDOK : IDCANCEL);
        dialogtest::WaitUntilGone(dialog);
    }

    // Types the program into the file dialog that "Other..." opens and takes it; cancels the Open
    // With dialog when that dialog does not come.
    void ChooseOther(HWND dialog) {
        dialogtest::ClickButton(dialog, IDC_OPEN_WITH_OTHER);
        HWND files = dialogtest::WaitForWindow("Open");
        if (!files) {
            dialogtest::ClickButton(dialog, IDCANCEL);
            return;
        }
        m_seen.otherShown = true;
        HWND name = GetDlgItem(files, cmb13) ? GetDlgItem(files, cmb13) : GetDlgItem(files, edt1);
        SetWindowTextA(name, m_program.c_str());
        dialogtest::ClickButton(files, IDOK);
        dialogtest::WaitUntilGone(files);
    }

    std::string m_program;
    Answer m_answer;
    std::string m_screenshot;
    OpenWithSeen m_seen;
    std::thread m_thread;
};

// The thumbnail view of the card, with the recording program registered for a type of its own so
// that the dialog lists it, and nothing registered for the FlashPix picture that is opened.
class OpenWithTest : public SendToTest {
protected:
    void SetUp() override {
        SendToTest::SetUp();
        ASSERT_TRUE(programType.Register("\"" + RecorderPath() + "\" \"%1\""));
        ASSERT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, ".FPX").valid()) << "the prefix knows no FlashPix program";
        ASSERT_EQ(std::string::npos, area.find(' ')) << "the copy's path is passed as it stands";
        ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    }
    // The recorded command line ends with the copy of the picture as the program's parameter.
    void ExpectOpenedCopy(const std::string& line) {
        std::string copy = area + kPicture;
        ASSERT_GT(line.size(), copy.size()) << line;
        EXPECT_EQ(copy, line.substr(line.size() - copy.size())) << line;
        EXPECT_TRUE(SameAsCard(kPicture, copy));
    }

    ScopedFileType programType{".pvowtest", {kProgramType}};
    ScopedFileType pictureType{".FPX", {"FPX"}};
};

}  // namespace

TEST_F(OpenWithTest, TheChosenProgramOpensTheCopyAndNothingIsRegistered) {
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    OpenWithDriver driver(kRecorderName, OpenWithDriver::kChoose, "open_with");
    DoubleClickCell(kPictureCell);
    OpenWithSeen seen = driver.Seen();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ("Click on the program you want to use to open the file PV000009.FPX.\r\nIf the program you want to use "
              "is not on the list, click Other.",
              seen.prompt);
    EXPECT_FALSE(seen.okAtFirst) << "OK waits for a program";
    EXPECT_TRUE(seen.okAfterChoice);
    EXPECT_EQ(1, std::count(seen.programs.begin(), seen.programs.end(), kRecorderName)) << "listed once, in capitals";
    ExpectOpenedCopy(AwaitRecordedCommandLine());
    EXPECT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, ".FPX").valid());
    EXPECT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, "FPX").valid());
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(OpenWithTest, ARegisteredChoiceOpensTheNextPictureOfTheTypeWithoutAsking) {
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    EXPECT_FALSE(IsFileTypeRegistered(kPicture));
    {
        OpenWithDriver driver(kRecorderName, OpenWithDriver::kChooseAndRegister);
        DoubleClickCell(kPictureCell);
        ASSERT_TRUE(driver.Seen().shown);
    }
    ExpectOpenedCopy(AwaitRecordedCommandLine());
    EXPECT_EQ("FPX", ClassesValue(".FPX").value_or("(none)"));
    EXPECT_EQ(Upper(RecorderPath()) + "  %1", ClassesValue("FPX\\Shell\\Open\\Command").value_or("(none)"))
        << "the program path as listed, two blanks, %1";
    EXPECT_TRUE(IsFileTypeRegistered(kPicture));

    EmptyTempArea();
    DoubleClickCell(kPictureCell);
    ExpectOpenedCopy(AwaitRecordedCommandLine());
    EXPECT_EQ(nullptr, FindWindowA("#32770", "Open With"));
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(OpenWithTest, AProgramChosenThroughOtherOpensTheCopy) {
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    {
        OpenWithDriver driver(RecorderPath(), OpenWithDriver::kOther);
        DoubleClickCell(kPictureCell);
        OpenWithSeen seen = driver.Seen();
        ASSERT_TRUE(seen.shown);
        ASSERT_TRUE(seen.otherShown) << "Other... shows a file dialog";
    }
    ExpectOpenedCopy(AwaitRecordedCommandLine());
    EXPECT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, ".FPX").valid());
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(OpenWithTest, CancelCopiesNothingStartsNothingAndRegistersNothing) {
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    {
        OpenWithDriver driver(kRecorderName, OpenWithDriver::kCancel);
        DoubleClickCell(kPictureCell);
        ASSERT_TRUE(driver.Seen().shown);
    }
    PumpMessages(200);
    EXPECT_EQ(std::vector<std::string>{}, transfertest::FilesIn(area));
    EXPECT_FALSE(transfertest::Exists(RecorderRecord()));
    EXPECT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, ".FPX").valid());
    EXPECT_TRUE(answerer.Seen().empty());
}

// ---------------------------------------------------------------------------------------------

TEST(OpenCommandTest, TheProgramIsTheCommandUpToItsExeInCapitalsWithoutQuotes) {
    std::optional<OpenWithProgram> quoted = ProgramOfOpenCommand("\"C:\\Program Files\\Paint\\pbrush.exe\" \"%1\"");
    ASSERT_TRUE(quoted);
    EXPECT_EQ("C:\\PROGRAM FILES\\PAINT\\PBRUSH.EXE", quoted->path);
    EXPECT_EQ("PBRUSH", quoted->name);
    std::optional<OpenWithProgram> bare = ProgramOfOpenCommand("notepad.exe %1");
    ASSERT_TRUE(bare);
    EXPECT_EQ("NOTEPAD.EXE", bare->path);
    EXPECT_EQ("NOTEPAD", bare->name);
    std::optional<OpenWithProgram> dotted = ProgramOfOpenCommand("C:\\my.tools\\view.exe /open %1");
    ASSERT_TRUE(dotted);
    EXPECT_EQ("VIEW", dotted->name) << "the name begins after the last backslash before .EXE";
}

TEST(OpenCommandTest, RundllAndCommandsWithoutAnExeAreNoPrograms) {
    EXPECT_FALSE(ProgramOfOpenCommand("rundll32.exe shimgvw.dll,ImageView_Fullscreen %1"));
    EXPECT_FALSE(ProgramOfOpenCommand("C:\\windows\\RunDll.exe x"));
    EXPECT_FALSE(ProgramOfOpenCommand("C:\\tools\\viewer.com %1"));
    EXPECT_FALSE(ProgramOfOpenCommand(""));
}

TEST(RegisterTypeTest, WritesTheTypeAndItsCommandAndOverwritesOnlyThose) {
    ScopedFileType type(".PvReg", {"PvReg"});
    pv::RegKey extension = pv::RegKey::create(HKEY_CLASSES_ROOT, ".PvReg");
    ASSERT_TRUE(extension.setString(nullptr, "Old.Type"));
    ASSERT_TRUE(extension.setString("Content Type", "image/x-test"));
    ASSERT_TRUE(pv::RegKey::create(HKEY_CLASSES_ROOT, "PvReg\\Shell\\Open\\Command").setString(nullptr, "old"));

    ASSERT_TRUE(RegisterProgramForType("P0000001.PvReg", "C:\\TOOLS\\VIEW.EXE"));
    EXPECT_EQ("PvReg", ClassesValue(".PvReg").value_or("(none)")) << "spelled as in the file name";
    EXPECT_EQ("image/x-test", pv::RegKey::open(HKEY_CLASSES_ROOT, ".PvReg").string("Content Type").value_or(""));
    EXPECT_EQ("C:\\TOOLS\\VIEW.EXE  %1", ClassesValue("PvReg\\Shell\\Open\\Command").value_or("(none)"));
    EXPECT_TRUE(IsFileTypeRegistered("ANOTHER.PVREG"));
}

TEST(RegisterTypeTest, ANameWithoutAnExtensionRegistersNothing) {
    EXPECT_FALSE(RegisterProgramForType("NOEXTENSION", "C:\\TOOLS\\VIEW.EXE"));
    EXPECT_FALSE(RegisterProgramForType("ENDS.", "C:\\TOOLS\\VIEW.EXE"));
    EXPECT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, ".").valid());
    EXPECT_FALSE(IsFileTypeRegistered("NOEXTENSION"));
}

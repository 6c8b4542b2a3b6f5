// Opening a picture of the thumbnail view with the program registered for its type: the program
// gets the temporary copy, byte for byte; a type without a key is told.
#include "SendToFixture.h"

#include "MessageBoxAnswerer.h"
#include "RegKey.h"
#include "TransferSupport.h"

#include <optional>

using namespace viewtest;

namespace {

constexpr char kTypeName[] = "PVTest.Picture";

// Registers the recording program for an extension under HKEY_CLASSES_ROOT, or removes the
// extension's key, and puts back what was there when it goes: the extension's default value (or
// no key at all), and no test type.
class ScopedFileType {
public:
    explicit ScopedFileType(std::string extension) : m_extension(std::move(extension)) {
        pv::RegKey key = pv::RegKey::open(HKEY_CLASSES_ROOT, m_extension.c_str());
        m_existed = key.valid();
        if (m_existed) m_previous = key.string(nullptr);
    }
    ~ScopedFileType() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kTypeName);
        if (!m_existed) RegDeleteTreeA(HKEY_CLASSES_ROOT, m_extension.c_str());
        else if (m_previous) pv::RegKey::create(HKEY_CLASSES_ROOT, m_extension.c_str()).setString(nullptr, *m_previous);
    }
    ScopedFileType(const ScopedFileType&) = delete;
    ScopedFileType& operator=(const ScopedFileType&) = delete;

    bool Register(const std::string& command) {
        std::string commandKey = std::string(kTypeName) + "\\Shell\\Open\\Command";
        return pv::RegKey::create(HKEY_CLASSES_ROOT, m_extension.c_str()).setString(nullptr, kTypeName) &&
               pv::RegKey::create(HKEY_CLASSES_ROOT, commandKey.c_str()).setString(nullptr, command);
    }

private:
    std::string m_extension;
    bool m_existed = false;
    std::optional<std::string> m_previous;
};

using OpenPictureTest = SendToTest;

}  // namespace

TEST_F(OpenPictureTest, ADoubleClickOpensTheCopyInTheProgramRegisteredForItsType) {
    ScopedFileType type(".JPG");
    ASSERT_TRUE(type.Register("\"" + RecorderPath() + "\" \"%1\""));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    DoubleClickCell(2);
    std::string line = AwaitRecordedCommandLine();
    std::string copy = area + "PV000008.JPG";
    EXPECT_NE(std::string::npos, line.find("\"" + copy + "\"")) << line;
    EXPECT_TRUE(SameAsCard("PV000008.JPG", copy));
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(OpenPictureTest, APictureWhoseTypeHasNoKeyIsToldAndNotCopied) {
    ASSERT_FALSE(pv::RegKey::open(HKEY_CLASSES_ROOT, ".FPX").valid()) << "the prefix knows no FlashPix program";
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    DoubleClickCell(1);
    PumpMessages(100);
    std::vector<dialogtest::MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("An error occurred trying to open the select picture file(s).\nPlease register the picture file type "
              "with an existing application on your system.\n",
              seen[0].text);
    EXPECT_EQ(std::vector<std::string>{}, transfertest::FilesIn(area));
}

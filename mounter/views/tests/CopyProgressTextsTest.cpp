// What the copy progress dialog shows while the views copy pictures for a program: each picture's
// name and its size in bytes, as the card holds it.
#include "SendToFixture.h"

#include "MessageBoxAnswerer.h"
#include "MounterResources.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <thread>

using namespace viewtest;

namespace {

using Texts = std::set<std::pair<std::string, std::string>>;

// Notes every name and size text that a copy progress dialog shows until it is stopped.
class ProgressTextWatcher {
public:
    ProgressTextWatcher()
        : m_thread([this] {
              for (int poll = 0; poll < 3000 && !m_stop; ++poll) {
                  if (HWND dialog = FindWindowA("#32770", "Picture File Copy Progress")) Note(dialog);
                  Sleep(10);
              }
          }) {}
    ~ProgressTextWatcher() { Stop(); }
    ProgressTextWatcher(const ProgressTextWatcher&) = delete;
    ProgressTextWatcher& operator=(const ProgressTextWatcher&) = delete;

    Texts Stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        std::lock_guard<std::mutex> guard(m_lock);
        return m_seen;
    }

private:
    // A dialog that goes while it is read loses its controls one by one: what was read counts only
    // when both controls were still there afterwards.
    void Note(HWND dialog) {
        HWND name = GetDlgItem(dialog, IDC_COPY_FILE_NAME), size = GetDlgItem(dialog, IDC_COPY_SIZE);
        std::pair<std::string, std::string> texts{Text(name), Text(size)};
        if (texts.first.empty() || !IsWindow(name) || !IsWindow(size)) return;
        std::lock_guard<std::mutex> guard(m_lock);
        m_seen.insert(texts);
    }
    // The text as the control holds it, read without a message: the copy's thread does not
    // answer messages between its progress reports.
    static std::string Text(HWND control) {
        wchar_t text[64] = L"";
        int length = InternalGetWindowText(control, text, 64);
        return std::string(text, text + std::max(length, 0));
    }

    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    Texts m_seen;
    std::thread m_thread;
};

using CopyProgressTextsTest = SendToTest;

}  // namespace

TEST_F(CopyProgressTextsTest, EachPictureShowsItsNameAndItsByteCount) {
    ASSERT_TRUE(shortcuts.Add("pvtest Recorder", RecorderPath()));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(2);
    ClickCell(4, MK_CONTROL);
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    Sim("throttle on");   // each copy takes seconds at the line speed
    ProgressTextWatcher watcher;
    {
        SendToMenuDriver driver("pvtest Recorder");
        MenuKey();
        ASSERT_TRUE(driver.SubmenuShown());
    }
    ASSERT_FALSE(AwaitRecordedCommandLine().empty());
    Texts seen = watcher.Stop();
    Sim("throttle off");
    Texts expected;
    for (const char* name : {"PV000006.JPG", "PV000008.JPG"})
        expected.insert({name, std::to_string(CardFile(std::string("PCCARD/DCIMAGES/") + name).size())});
    EXPECT_EQ(expected, seen) << "no other size, and never an empty one";
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

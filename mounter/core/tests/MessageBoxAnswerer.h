// Answering the message boxes that code under test shows on the test's own thread: a watcher thread
// finds each box by its caption, notes what it shows and presses a button.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dialogtest {

constexpr char kMounterCaption[] = "ORVIK PV350 / PV360 Zoom Camera Mounter";

struct MessageBoxSeen {
    std::string caption;
    std::string text;         // line breaks as "\n"
    UINT icon = 0;            // MB_ICONSTOP, MB_ICONQUESTION, MB_ICONINFORMATION, or 0 for another
    int defaultButton = 0;    // the control id of the default button
    bool yesNo = false;       // Yes and No buttons rather than OK
};

// Answers every message box with one of the captions until it is destroyed: Yes/No boxes with
// yesNoAnswer, the others with OK.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(std::vector<std::string> captions, int yesNoAnswer = IDYES);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<MessageBoxSeen> Seen();

private:
    void Watch();
    bool AnswerOne(const std::string& caption);

    std::vector<std::string> m_captions;
    int m_yesNoAnswer;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<MessageBoxSeen> m_seen;
    std::thread m_thread;
};

}  // namespace dialogtest

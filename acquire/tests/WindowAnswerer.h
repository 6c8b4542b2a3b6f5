// Answering the windows that code under test shows on the test's own thread (message boxes, modal
// dialogs): a watcher thread waits for a window of this process with the caption, notes the texts
// of its controls and presses one of its buttons.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace acquiretest {

struct SeenWindow {
    std::string caption;
    std::vector<std::string> texts;   // of its child windows, in their order
    bool Shows(const std::string& text) const;
};

class WindowAnswerer {
public:
    WindowAnswerer(std::string caption, int button, DWORD timeoutMs = 15000);
    ~WindowAnswerer();
    WindowAnswerer(const WindowAnswerer&) = delete;
    WindowAnswerer& operator=(const WindowAnswerer&) = delete;

    // Waits for the watcher to finish; nothing when no such window came.
    std::optional<SeenWindow> Seen();

private:
    void Watch(DWORD timeoutMs);

    std::string caption_;
    int button_;
    std::optional<SeenWindow> seen_;
    std::thread thread_;
};

// The visible top-level window of this process with the caption; null when there is none.
HWND FindProcessWindow(const std::string& caption);
std::vector<std::string> ChildTexts(HWND window);

// Runs the thread's messages for a while, letting the acquire dialog see its own.
void PumpMessages(DWORD milliseconds, bool (*isDialogMessage)(MSG*) = nullptr);

}  // namespace acquiretest

// Answering the windows that code under test shows on the test's own thread (message boxes, modal
// dialogs): a watcher thread waits for a window of this process with the caption, notes the texts
// of its controls and presses one of its buttons.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
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

// Answering every window of the caption that comes while it lives (one after another, as a
// retrieval reports file after file), for at most timeoutMs in all.
class EveryWindowAnswerer {
public:
    EveryWindowAnswerer(std::string caption, int button, DWORD timeoutMs = 120000);
    ~EveryWindowAnswerer();
    EveryWindowAnswerer(const EveryWindowAnswerer&) = delete;
    EveryWindowAnswerer& operator=(const EveryWindowAnswerer&) = delete;

    // Stops watching; the windows answered, in order.
    std::vector<SeenWindow> Seen();

private:
    std::atomic<bool> stop_{false};
    std::vector<SeenWindow> seen_;
    std::thread thread_;
};

// Driving a window that code under test shows on the test's own thread: a watcher thread waits for
// the window and runs drive with it (sending it and its controls messages as a user's actions).
class WindowDriver {
public:
    WindowDriver(std::string caption, std::function<void(HWND)> drive, DWORD timeoutMs = 20000);
    ~WindowDriver();
    WindowDriver(const WindowDriver&) = delete;
    WindowDriver& operator=(const WindowDriver&) = delete;

    // Waits for the watcher to finish; false when no such window came.
    bool Drove();

private:
    bool drove_ = false;
    std::thread thread_;
};

// The visible top-level window of this process with the caption; null when there is none.
HWND FindProcessWindow(const std::string& caption);
// The same, waited for; null when it did not come in time.
HWND WaitForProcessWindow(const std::string& caption, DWORD timeoutMs);
std::vector<std::string> ChildTexts(HWND window);

// Runs the thread's messages for a while, letting the acquire dialog see its own.
void PumpMessages(DWORD milliseconds, bool (*isDialogMessage)(MSG*) = nullptr);

}  // namespace acquiretest

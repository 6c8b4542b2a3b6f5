// Driving real dialogs from a test: finding them on screen, reading their controls back and
// pressing their buttons, from a watcher thread while the test's own thread runs a modal dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace dialogtest {

// The visible top-level window of this process with the given title; null after timeoutMs.
HWND WaitForWindow(const char* title, DWORD timeoutMs = 20000);
// Waits until window has gone (destroyed or hidden); false after timeoutMs.
bool WaitUntilGone(HWND window, DWORD timeoutMs = 20000);

// Posts the button's click to its dialog, as a click with the mouse would.
void ClickButton(HWND dialog, int id);
// Sends the click and returns once the dialog has handled it: for buttons that open no window.
void PressButton(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);

struct ComboEntry {
    std::string text;
    DWORD data;
    bool operator==(const ComboEntry&) const = default;
};
std::vector<ComboEntry> ComboEntries(HWND dialog, int id);
std::string ComboSelection(HWND dialog, int id);   // "" without a selection
void SelectComboText(HWND dialog, int id, const std::string& text);

// The longest static text of a window: a message box's message.
std::string LongestStaticText(HWND window);

// The icon's colour and mask bits, comparable between two icon handles.
std::vector<BYTE> IconPixels(HICON icon);
// The 16x16 icon of a connection step state (262 done, 263 failed, 264 under way), loaded on its own.
std::vector<BYTE> StateIconPixels(UINT id);
// The pixels of the icon an icon control of a dialog shows.
std::vector<BYTE> ShownIconPixels(HWND dialog, int id);

// Runs watch on its own thread while the test's thread shows a modal dialog; joins when it ends.
class Watcher {
public:
    explicit Watcher(std::function<void()> watch) : m_thread(std::move(watch)) {}
    ~Watcher() { m_thread.join(); }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

private:
    std::thread m_thread;
};

}  // namespace dialogtest

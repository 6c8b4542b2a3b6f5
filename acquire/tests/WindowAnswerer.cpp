#include "WindowAnswerer.h"

#include <algorithm>

namespace acquiretest {
namespace {

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    // The caption as the system keeps it: asking the window (GetWindowText) would wait for the
    // thread that owns it, which may be waiting for this one.
    wchar_t wide[256] = {};
    InternalGetWindowText(window, wide, 256);
    char caption[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, caption, sizeof caption, nullptr, nullptr);
    if (search->caption != caption) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    return TRUE;
}

}  // namespace

bool SeenWindow::Shows(const std::string& text) const {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

HWND FindProcessWindow(const std::string& caption) {
    Search search{caption};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

WindowAnswerer::WindowAnswerer(std::string caption, int button, DWORD timeoutMs)
    : caption_(std::move(caption)), button_(button), thread_([this, timeoutMs] { Watch(timeoutMs); }) {}

WindowAnswerer::~WindowAnswerer() {
    if (thread_.joinable()) thread_.join();
}

std::optional<SeenWindow> WindowAnswerer::Seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
}

HWND WaitForProcessWindow(const std::string& caption, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND window = FindProcessWindow(caption)) {
            // Let the window finish drawing its controls before they are read.
            Sleep(100);
            return window;
        }
        Sleep(30);
    }
    return nullptr;
}

void WindowAnswerer::Watch(DWORD timeoutMs) {
    HWND window = WaitForProcessWindow(caption_, timeoutMs);
    if (!window) return;
    seen_ = SeenWindow{caption_, ChildTexts(window)};
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), LPARAM(GetDlgItem(window, button_)));
}

EveryWindowAnswerer::EveryWindowAnswerer(std::string caption, int button, DWORD timeoutMs)
    : thread_([this, caption = std::move(caption), button, timeoutMs] {
          const DWORD start = GetTickCount();
          while (!stop_ && GetTickCount() - start < timeoutMs) {
              HWND window = FindProcessWindow(caption);
              if (!window) {
                  Sleep(30);
                  continue;
              }
              Sleep(100);
              seen_.push_back(SeenWindow{caption, ChildTexts(window)});
              PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(GetDlgItem(window, button)));
              for (int waited = 0; IsWindow(window) && waited < 5000; waited += 10) Sleep(10);
          }
      }) {}

EveryWindowAnswerer::~EveryWindowAnswerer() { Seen(); }

std::vector<SeenWindow> EveryWindowAnswerer::Seen() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
}

WindowDriver::WindowDriver(std::string caption, std::function<void(HWND)> drive, DWORD timeoutMs)
    : thread_([this, caption = std::move(caption), drive = std::move(drive), timeoutMs] {
          if (HWND window = WaitForProcessWindow(caption, timeoutMs)) {
              drive(window);
              drove_ = true;
          }
      }) {}

WindowDriver::~WindowDriver() {
    if (thread_.joinable()) thread_.join();
}

bool WindowDriver::Drove() {
    if (thread_.joinable()) thread_.join();
    return drove_;
}

void PumpMessages(DWORD milliseconds, bool (*isDialogMessage)(MSG*)) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (isDialogMessage && isDialogMessage(&message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

}  // namespace acquiretest

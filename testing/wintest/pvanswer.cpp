// pvanswer: answers the windows of other programs as a user would, one after the other.
//   pvanswer SECONDS CAPTION BUTTON [CAPTION BUTTON ...]
// For each pair, waits for a visible top-level window whose caption contains CAPTION and that has
// an enabled button whose text, without its "&", is BUTTON; prints the window's caption and the
// texts of its controls, then presses the button. All of it within SECONDS. Exit code 0 when
// every window was answered, 2 when one did not come in time, 1 on a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string WithoutAmpersands(std::string text) {
    std::string plain;
    for (char c : text)
        if (c != '&') plain += c;
    return plain;
}

struct Search {
    const char* caption;
    const char* button;
    HWND window = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK FindButton(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0 && IsWindowEnabled(child) && IsWindowVisible(child) &&
        WithoutAmpersands(WindowText(child)) == search->button) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindWindowWithButton(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!IsWindowVisible(window) || WindowText(window).find(search->caption) == std::string::npos)
        return TRUE;
    EnumChildWindows(window, FindButton, context);
    if (!search->found) return TRUE;
    search->window = window;
    return FALSE;
}

BOOL CALLBACK PrintText(HWND child, LPARAM) {
    const std::string text = WindowText(child);
    if (!text.empty()) std::printf("  %s\n", text.c_str());
    return TRUE;
}

bool Answer(const char* caption, const char* button, ULONGLONG deadline) {
    while (GetTickCount64() < deadline) {
        Search search{caption, button};
        EnumWindows(FindWindowWithButton, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            std::printf("window \"%s\":\n", WindowText(search.window).c_str());
            EnumChildWindows(search.window, PrintText, 0);
            std::printf("pressed \"%s\"\n", button);
            std::fflush(stdout);
            // Posted, not sent: what the press starts (a message box after the last page) may
            // keep the program from returning for as long as it is shown.
            PostMessageA(search.found, BM_CLICK, 0, 0);
            return true;
        }
        Sleep(100);
    }
    std::printf("no window \"%s\" with a button \"%s\" came\n", caption, button);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: pvanswer SECONDS CAPTION BUTTON [CAPTION BUTTON ...]\n");
        return 1;
    }
    const ULONGLONG deadline = GetTickCount64() + std::strtoull(argv[1], nullptr, 10) * 1000;
    for (int i = 2; i + 1 < argc; i += 2)
        if (!Answer(argv[i], argv[i + 1], deadline)) return 2;
    return 0;
}

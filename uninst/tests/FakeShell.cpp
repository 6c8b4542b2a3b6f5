// Plays the shell for the uninstall helper's tests: a top-level window of class "progman" with a
// message loop that WM_QUIT ends. With "stubborn" it makes a new window and goes on after each
// WM_QUIT, as a shell that restarts itself does. It writes "ready" into the folder of
// PV_UNINST_TEST_DIR once its window exists and "quit" when its loop ends. It never runs longer
// than the test allows (30 s).
#include "UniqueHandle.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

void Mark(const char* name) {
    char dir[MAX_PATH] = "";
    GetEnvironmentVariableA("PV_UNINST_TEST_DIR", dir, sizeof dir);
    std::string path = std::string(dir) + "\\" + name;
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

HWND MakeShellWindow() {
    return CreateWindowExA(0, "progman", "Program Manager", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    bool stubborn = argc > 1 && std::strcmp(argv[1], "stubborn") == 0;
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "progman";
    RegisterClassA(&cls);
    HWND window = MakeShellWindow();
    if (!window) return 1;
    SetTimer(nullptr, 0, 30000, nullptr);
    Mark("ready");
    MSG msg;
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 && stubborn) {
            DestroyWindow(window);
            window = MakeShellWindow();
            continue;
        }
        if (got <= 0 || msg.message == WM_TIMER) break;
        DispatchMessageA(&msg);
    }
    Mark("quit");
    return 0;
}

#include "UninstallHelper.h"

#include "UninstResources.h"
#include "UniqueHandle.h"

#include <string>

namespace uninst {

namespace {

constexpr DWORD kShellStopWaitMs = 5000;
constexpr int kTextSize = 512;

struct HelperTexts {
    char shellClass[kTextSize];
    char shellCommand[kTextSize];
    char notStopped[kTextSize];
    char caption[kTextSize];
};

void LoadTexts(HINSTANCE instance, HelperTexts& texts) {
    LoadStringA(instance, IDS_SHELL_WINDOW_CLASS, texts.shellClass, kTextSize);
    LoadStringA(instance, IDS_SHELL_COMMAND, texts.shellCommand, kTextSize);
    LoadStringA(instance, IDS_SHELL_NOT_STOPPED, texts.notStopped, kTextSize);
    LoadStringA(instance, IDS_CAPTION, texts.caption, kTextSize);
}

// The Windows directory becomes the current directory, with the per-drive entry ("=C:") that a
// runtime's change of directory keeps in the environment. A failure changes nothing.
void EnterWindowsDirectory() {
    char directory[255];
    UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory) return;
    if (!SetCurrentDirectoryA(directory)) return;
    if (directory[0] != '\0' && directory[1] == ':') {
        const char drive[] = {'=', directory[0], ':', '\0'};
        SetEnvironmentVariableA(drive, directory);
    }
}

// Ends the shell's message loop, and so the Explorer, when its desktop window is there.
void AskShellToQuit(const char* shellClass) {
    if (HWND shell = FindWindowA(shellClass, nullptr)) PostMessageA(shell, WM_QUIT, 0, 0);
}

// Starts the command and waits for it to end; false when it could not be started. The command
// belongs to the uninstaller, which may ask the user questions: it gets all the time it takes.
bool RunAndWait(const char* command) {
    std::string commandLine(command);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process))
        return false;
    pv::UniqueHandle processHandle(process.hProcess);
    pv::UniqueHandle threadHandle(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
    return true;
}

}  // namespace

int RunUninstall(HINSTANCE instance, const char* command) {
    HelperTexts texts{};
    LoadTexts(instance, texts);
    EnterWindowsDirectory();
    AskShellToQuit(texts.shellClass);
    Sleep(kShellStopWaitMs);
    if (FindWindowA(texts.shellClass, nullptr)) {
        MessageBoxA(nullptr, texts.notStopped, texts.caption, MB_OK | MB_ICONERROR);
        return 0;
    }
    RunAndWait(command);
    WinExec(texts.shellCommand, SW_SHOW);
    return 0;
}

}  // namespace uninst

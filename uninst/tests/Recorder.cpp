// Plays a program the uninstall helper starts (the uninstall command, or "explorer.exe" when it is
// copied under that name): it appends its own name, its command line and its current directory,
// one line each, to "log.txt" in the folder of PV_UNINST_TEST_DIR, after the delay in milliseconds
// that PV_UNINST_DELAY_<NAME> gives it (none by default).
#include "UniqueHandle.h"

#include <windows.h>

#include <string>

namespace {

std::string Env(const std::string& name) {
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    return value;
}

std::string OwnName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name(path);
    name = name.substr(name.find_last_of('\\') + 1);
    return name.substr(0, name.find('.'));
}

void Append(const std::string& text) {
    std::string path = Env("PV_UNINST_TEST_DIR") + "\\log.txt";
    pv::UniqueHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, 0, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int main() {
    std::string name = OwnName();
    std::string delay = Env("PV_UNINST_DELAY_" + name);
    if (!delay.empty()) Sleep(std::stoul(delay));
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    Append(name + "\n" + GetCommandLineA() + "\n" + directory + "\n");
    return 0;
}

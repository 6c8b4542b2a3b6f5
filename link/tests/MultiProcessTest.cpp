// Two processes using one port: exclusive opening and the machine-wide per-port mutex.
#include "LinkFixture.h"

#include <string>

namespace {

// Runs the second-process helper beside this test program and returns its exit code.
DWORD RunSecondProcess(const std::string& arguments, HANDLE* running = nullptr) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "linkproc.exe";
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    CloseHandle(pi.hThread);
    if (running) {
        *running = pi.hProcess;
        return 0;
    }
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return code;
}

// Whether the serial driver refuses a second open of a port that is held with no sharing. Windows'
// drivers do; Wine running as root lets a second process open the same terminal.
bool DriverOpensExclusively() {
    HANDLE first = CreateFileA("COM1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE second = CreateFileA("COM1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    bool exclusive = second == INVALID_HANDLE_VALUE;
    if (!exclusive) CloseHandle(second);
    if (first != INVALID_HANDLE_VALUE) CloseHandle(first);
    return exclusive;
}

}  // namespace

TEST_F(LinkTest, SecondProcessCannotOpenAPortThisProcessHolds) {
    if (!DriverOpensExclusively()) GTEST_SKIP() << "this serial driver shares ports between opens";
    ASSERT_EQ(1u, CommOpen(kPort));
    EXPECT_EQ(0u * 100 + kLocOpenCreateFile, RunSecondProcess("open 0"));
    ASSERT_EQ(1u, CommClose(kPort));
    EXPECT_EQ(1u * 100 + kLocSuccess, RunSecondProcess("open 0"));
}

TEST_F(LinkTest, PortOperationsWaitForTheOtherProcessesOperation) {
    ASSERT_EQ(1u, CommOpen(kPort));
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "pvlink-test-ready");
    HANDLE child = nullptr;
    RunSecondProcess("hold CCommPortCom1Mutex pvlink-test-ready 600", &child);
    ASSERT_NE(nullptr, child);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 30000));
    long long ms = ElapsedMs([] { EXPECT_EQ(1u, CommIsOpen(kPort)); });
    EXPECT_GE(ms, 400);
    WaitForSingleObject(child, 30000);
    CloseHandle(child);
    CloseHandle(ready);
}

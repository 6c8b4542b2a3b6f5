// Two processes using one port: the failing open of a second process and the machine-wide per-port
// mutex.
#include "LinkFixture.h"
#include "UniqueHandle.h"

#include <string>

namespace {

// Starts the second-process helper beside this test program; empty when it cannot be started.
pv::UniqueHandle StartSecondProcess(const std::string& arguments) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "linkproc.exe";
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return pv::UniqueHandle();
    pv::UniqueHandle thread(pi.hThread);
    return pv::UniqueHandle(pi.hProcess);
}

// Runs the helper to its end and returns its exit code.
DWORD RunSecondProcess(const std::string& arguments) {
    pv::UniqueHandle process = StartSecondProcess(arguments);
    if (!process || WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

}  // namespace

// Windows' serial drivers refuse a second open of a port that is held with no sharing; Wine's
// lets a second process open it. The second process's failing open is made here by a device name
// that cannot be opened at all, which takes the same branch of the open.
TEST_F(LinkTest, SecondProcessWhoseOpenFailsGetsLocationOne) {
    ASSERT_EQ(1u, CommOpen(kPort));
    EXPECT_EQ(1u * 100 + kLocSuccess, RunSecondProcess("open 0"));
    peer.command("deadlink 1");
    EXPECT_EQ(0u * 100 + kLocOpenCreateFile, RunSecondProcess("open 0"));
    peer.openPort(kCom);
    EXPECT_EQ(1u, CommClose(kPort));
    EXPECT_EQ(1u * 100 + kLocSuccess, RunSecondProcess("open 0"));
}

TEST_F(LinkTest, PortOperationsWaitForTheOtherProcessesOperation) {
    ASSERT_EQ(1u, CommOpen(kPort));
    pv::UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, "pvlink-test-ready"));
    pv::UniqueHandle child = StartSecondProcess("hold CCommPortCom1Mutex pvlink-test-ready 600");
    ASSERT_TRUE(child);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready.get(), 30000));
    long long ms = ElapsedMs([] { EXPECT_EQ(1u, CommIsOpen(kPort)); });
    EXPECT_GE(ms, 400);
    WaitForSingleObject(child.get(), 30000);
}

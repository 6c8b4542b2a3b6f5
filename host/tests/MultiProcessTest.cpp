// Two processes talk to one camera at once: the camera mutex keeps their exchanges apart.
#include "CameraFixture.h"

#include <string>

TEST_F(CameraTest, TwoProcessesNeverInterleaveExchanges) {
    ASSERT_NE(nullptr, Open());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of("\\/") + 1) + "hostproc.exe";
    std::string line = "\"" + path + "\" 15";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    pv::UniqueHandle thread(pi.hThread), process(pi.hProcess);
    int failures = 0;
    for (int i = 0; i < 15; ++i) {
        BYTE* entries = nullptr;
        DWORD count = 0;
        failures += CameraListDirectory(camera, "\\PCCARD\\DCIMAGES\\ALBUM001", &entries, &count) != 0;
        FreeCameraBuffer(entries);
        failures += CameraReadStatus(camera) != 0;
    }
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 120000));
    DWORD code = 99;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(0, failures);
    EXPECT_EQ(0u, code);
    EXPECT_EQ(0, Violations());
}

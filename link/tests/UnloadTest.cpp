// A process that unloads the link (as an Explorer unloads the Mounter) gets back every port the
// link still held: the port's handle and its mutex are closed.
#include "LinkFixture.h"
#include "ProcessCounts.h"
#include "UniqueHandle.h"
#include "UniqueModule.h"

#include <string>

namespace {

// A second copy of the link beside this program, loaded on its own (the imported one stays).
std::string CopyOfTheLink() {
    char self[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("pvlink.dll"), self, MAX_PATH);
    std::string original(self);
    std::string copy = original.substr(0, original.find_last_of("\\/") + 1) + "pvlink_unloaded.dll";
    CopyFileA(original.c_str(), copy.c_str(), FALSE);
    return copy;
}

using OpenFunction = DWORD (*)(DWORD);

}  // namespace

TEST_F(LinkTest, UnloadingTheLinkClosesThePortsItHeld) {
    const std::string copy = CopyOfTheLink();
    const int before = pvtest::LiveHandles();
    {
        pv::UniqueModule link = pv::UniqueModule::load(copy.c_str());
        ASSERT_TRUE(link) << GetLastError();
        auto open = link.proc<OpenFunction>(MAKEINTRESOURCEA(1));
        ASSERT_NE(nullptr, open);
        ASSERT_EQ(1u, open(kPort));
        ASSERT_EQ(1u, open(kPort));   // opened twice, closed never
        pv::UniqueHandle held(OpenMutexA(SYNCHRONIZE, FALSE, "CCommPortCom1Mutex"));
        EXPECT_TRUE(held) << "the unloaded copy's port mutex exists while it is loaded";
    }
    EXPECT_FALSE(pv::UniqueHandle(OpenMutexA(SYNCHRONIZE, FALSE, "CCommPortCom1Mutex")))
        << "the port mutex outlived the link";
    EXPECT_EQ(before, pvtest::LiveHandles());
    // The imported link can open the port as a first user would.
    ASSERT_EQ(1u, CommOpen(kPort));
    EXPECT_EQ(1u, CommClose(kPort));
}

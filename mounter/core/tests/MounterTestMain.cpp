// The test program holds the Mounter's classes itself (for the dialogs and the camera layer) and
// loads pvmount.dll through COM for the shell's view of it. Both need COM and a global record.
// Started with "--unload-child HOW FILE" it is instead the child process of a start-up test.
#include "MounterGlobals.h"
#include "UniqueModule.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstring>
#include <fstream>

namespace {

// Loads pvmount.dll, leaves FILE in its temporary area and leaves it loaded as HOW says: "free"
// unloads it first, "exit" ends the process with it loaded.
int RunUnloadChild(const char* how, const char* file) {
    pv::UniqueModule mounter = pv::UniqueModule::load("pvmount.dll");
    if (!mounter) return 3;
    std::ofstream(file) << "copy for an application";
    if (std::strcmp(how, "free") == 0) mounter.reset();
    else mounter.release();
    ExitProcess(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--unload-child") == 0) return RunUnloadChild(argv[2], argv[3]);
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    mounter::SetModuleInstance(GetModuleHandleA(nullptr));
    if (FAILED(mounter::CreateGlobalRecord())) return 2;
    int result = RUN_ALL_TESTS();
    mounter::DestroyGlobalRecord();
    OleUninitialize();
    return result;
}

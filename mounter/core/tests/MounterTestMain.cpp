// The test program holds the Mounter's classes itself (for the dialogs and the camera layer) and
// loads pvmount.dll through COM for the shell's view of it. Both need COM and a global record.
#include "MounterGlobals.h"

#include <gtest/gtest.h>

#include <objbase.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    mounter::SetModuleInstance(GetModuleHandleA(nullptr));
    if (FAILED(mounter::CreateGlobalRecord())) return 2;
    int result = RUN_ALL_TESTS();
    mounter::DestroyGlobalRecord();
    OleUninitialize();
    return result;
}

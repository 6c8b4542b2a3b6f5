// The module's start-up and its class objects.
#include "MessageBoxAnswerer.h"
#include "MounterApp.h"
#include "MounterClasses.h"
#include "MounterFixture.h"
#include "MounterGlobals.h"
#include "RegKey.h"
#include "TempArea.h"
#include "UniqueHandle.h"

#include <fstream>

namespace {

std::string TempAreaFile(const std::string& name) {
    char area[MAX_PATH] = {};
    GetTempAreaPath(sizeof area, area);
    return area + name;
}

}  // namespace

TEST(ServerTest, StartUpEmptiesTheTempAreaAndKeepsTheRecord) {
    char area[MAX_PATH];
    ASSERT_GT(GetTempAreaPath(sizeof area, area), 0u);
    std::string leftover = std::string(area) + "Left Over Album";
    CreateDirectoryA(leftover.c_str(), nullptr);
    std::ofstream(leftover + "\\PV000001.JPG") << "crashed session";
    std::ofstream(std::string(area) + "PV000002.JPG") << "crashed session";
    IMalloc* allocator = mounter::ShellAllocator();
    ASSERT_TRUE(allocator);

    EXPECT_TRUE(CMounterApp::InitInstance());
    EXPECT_EQ(allocator, mounter::ShellAllocator()) << "a second start keeps the record";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(leftover.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((std::string(area) + "PV000002.JPG").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(area)) << "the area itself stays";
}

TEST(ServerTest, TempAreaPathAnswersTheNeededLengthForSmallBuffers) {
    char area[MAX_PATH];
    UINT length = GetTempAreaPath(sizeof area, area);
    ASSERT_GT(length, 10u);
    EXPECT_EQ(0, lstrcmpA(area + length - 10, "PV360.TMP\\"));
    char small[8] = "xxxxxxx";
    EXPECT_EQ(length + 1, GetTempAreaPath(sizeof small, small));
    EXPECT_STREQ("", small);
}

TEST(ServerTest, ClassObjectsOfTheThreeClassesOnly) {
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(MounterModule(), "DllGetClassObject")));
    ASSERT_TRUE(get);
    for (const CLSID& clsid : {CLSID_PV360Camera, CLSID_PV360Memory, CLSID_PV360Album}) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(S_OK, get(clsid, IID_IClassFactory, factory.putVoid()));
        ComPtr<IPersistFolder> folder;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPersistFolder, folder.putVoid()));
        CLSID answered;
        EXPECT_EQ(S_OK, folder->GetClassID(&answered));
        EXPECT_TRUE(IsEqualCLSID(clsid, answered));
        ComPtr<IUnknown> aggregated;
        EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(folder.get(), IID_IUnknown, aggregated.putVoid()));
    }
    ComPtr<IClassFactory> none;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, get(IID_IShellFolder, IID_IClassFactory, none.putVoid()));
}

TEST(ServerTest, RegistrationWritesEveryClassAndTheJunction) {
    using RegisterServer = HRESULT(WINAPI*)();
    auto registerServer = reinterpret_cast<RegisterServer>(
        reinterpret_cast<void (*)()>(GetProcAddress(MounterModule(), "DllRegisterServer")));
    ASSERT_TRUE(registerServer);
    ASSERT_EQ(S_OK, registerServer());
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(MounterModule(), path, sizeof path), 0u);
    auto value = [](HKEY root, const std::string& key, const char* name) {
        return pv::RegKey::open(root, key.c_str()).string(name).value_or("<missing>");
    };
    struct Class {
        const char* clsid;
        const char* progId;
    };
    for (const Class& c : {Class{"{a84c0500-b187-11d0-8ae7-00c04fd28d85}", "PV360MOUNT.CAMERA"},
                           Class{"{a84c0501-b187-11d0-8ae7-00c04fd28d85}", "PV360MOUNT.MEMORY"},
                           Class{"{a84c0502-b187-11d0-8ae7-00c04fd28d85}", "PV360MOUNT.ALBUM"}}) {
        std::string key = std::string("CLSID\\") + c.clsid;
        EXPECT_EQ(0, lstrcmpiA(path, value(HKEY_CLASSES_ROOT, key + "\\InprocServer32", nullptr).c_str())) << c.clsid;
        EXPECT_EQ("Apartment", value(HKEY_CLASSES_ROOT, key + "\\InprocServer32", "ThreadingModel"));
        EXPECT_EQ(c.progId, value(HKEY_CLASSES_ROOT, key + "\\ProgID", nullptr));
        EXPECT_EQ(c.clsid, value(HKEY_CLASSES_ROOT, std::string(c.progId) + "\\CLSID", nullptr));
        EXPECT_NE("<missing>", value(HKEY_CLASSES_ROOT, c.progId, nullptr));
    }
    std::string camera = "CLSID\\{a84c0500-b187-11d0-8ae7-00c04fd28d85}";
    EXPECT_EQ(std::string(path) + ",0", value(HKEY_CLASSES_ROOT, camera + "\\DefaultIcon", nullptr));
    EXPECT_EQ(0xF0000000u,
              pv::RegKey::open(HKEY_CLASSES_ROOT, (camera + "\\ShellFolder").c_str()).dword("Attributes").value_or(0));
    EXPECT_EQ("ORVIK PV350 / PV360 Zoom Camera",
              value(HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\"
                    "{a84c0500-b187-11d0-8ae7-00c04fd28d85}",
                    nullptr));
}

TEST(ServerTest, StartUpFailureIsShownWithTheErrorIcon) {
    std::vector<dialogtest::MessageBoxSeen> seen;
    {
        dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption});
        CMounterApp::ReportStartupFailure(E_OUTOFMEMORY);
        seen = boxes.Seen();
    }
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Fatal error initializing Mounter global memory. (Error Code=0x8007000E)", seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    EXPECT_FALSE(seen[0].yesNo);
}

// At process termination nothing is shut down (the copies of a file dialog's application stay);
// an unload while the process goes on empties the area as before.
TEST(ServerTest, ProcessTerminationLeavesTheShutDownUndone) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string file = TempAreaFile("PV000099.JPG");
    for (const char* how : {"exit", "free"}) {
        DeleteFileA(file.c_str());
        std::string command = "\"" + std::string(self) + "\" --unload-child " + how + " \"" + file + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        pv::UniqueHandle child(process.hProcess), thread(process.hThread);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.get(), 60000));
        DWORD code = 99;
        GetExitCodeProcess(child.get(), &code);
        EXPECT_EQ(0u, code) << how;
        bool kept = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(std::string(how) == "exit", kept) << how;
    }
    DeleteFileA(file.c_str());
}

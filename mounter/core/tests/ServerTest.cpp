// The module's start-up and its class objects.
#include "MounterApp.h"
#include "MounterClasses.h"
#include "MounterFixture.h"
#include "MounterGlobals.h"
#include "TempArea.h"

#include <fstream>

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

// CCommPortException: its text, and its way out of the link through a caller's library.
#include "LinkFixture.h"
#include "UniqueHandle.h"

#include <cstring>

extern "C" DWORD CallerOpen(DWORD port);
extern "C" DWORD CallerFailureRecord(DWORD port, CommErrorState* record);

TEST(CommPortException, TextComesFromTheLinksStringTable) {
    char text[128];
    CCommPortException(12, 34).GetErrorText(text, sizeof text);
    EXPECT_STREQ("Exception Location: 12\nException Reason: 34", text);
}

TEST(CommPortException, TextIsCutToTheBuffer) {
    char text[16];
    std::memset(text, 'x', sizeof text);
    CCommPortException(1, 1).GetErrorText(text, sizeof text);
    EXPECT_STREQ("Exception Locat", text);
    char one = 'x';
    CCommPortException(1, 1).GetErrorText(&one, 1);
    EXPECT_EQ('\0', one);
}

// Another object of the machine holds a port's mutex name, so the link cannot make the mutex.
class NameTakenTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        squatter.reset(CreateEventA(nullptr, FALSE, FALSE, "CCommPortCom3Mutex"));
        ASSERT_TRUE(squatter);
    }
    pv::UniqueHandle squatter;
};

TEST_F(NameTakenTest, ExceptionCrossesTheCallersLibraryIntact) {
    bool caught = false;
    try {
        CallerOpen(2);
    } catch (const MounterException& e) {
        auto* port = dynamic_cast<const CCommPortException*>(&e);
        ASSERT_NE(nullptr, port);
        EXPECT_EQ(0u, port->Location());
        EXPECT_EQ(0u, port->Reason());
        char text[64];
        e.GetErrorText(text, sizeof text);
        EXPECT_STREQ("Exception Location: 0\nException Reason: 0", text);
        caught = true;
    }
    EXPECT_TRUE(caught);
    // No object was left in the table, and the library-wide mutex was given back.
    EXPECT_EQ(0u, CommGetStatus(2, nullptr, nullptr, nullptr, nullptr));
    pv::UniqueHandle global(OpenMutexA(SYNCHRONIZE, FALSE, "CameraCommPortDLLGlobalMutex"));
    ASSERT_TRUE(global);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(global.get(), 0));
    ReleaseMutex(global.get());
}

TEST_F(LinkTest, FailureRecordReachesTheCallersLibrary) {
    ASSERT_EQ(1u, CommOpen(kPort));
    BYTE b[3];
    DWORD done = 0;
    key.set("Timeout", 100);
    ASSERT_EQ(0u, CommRead(kPort, b, 3, &done));
    CommErrorState record{};
    ASSERT_EQ(1u, CallerFailureRecord(kPort, &record));
    EXPECT_EQ(kLocReadMissing, record.location);
    EXPECT_EQ(0u, record.status.cbInQue);
}

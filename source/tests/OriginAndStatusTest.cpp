// Who the source answers: nobody but identity requests before it is opened, the application that
// opened it, and a second application only with a refusal; bad pointers; the condition code once.
#include "SourceFixture.h"
#include "UniqueModule.h"

#include <cstring>

namespace {

TW_IDENTITY Application(TW_UINT32 id) {
    TW_IDENTITY identity{};
    identity.Id = id;
    std::strcpy(identity.ProductName, "another application");
    return identity;
}

}  // namespace

TEST(ClosedSource, AnswersOnlyItsIdentityBeforeAnOpen) {
    ASSERT_TRUE(sourcetest::InstallSource());
    acquiretest::WritePreferences(2, 5);
    pv::UniqueModule module = pv::UniqueModule::load(sourcetest::InstalledSourcePath().c_str());
    auto entry = module.proc<DSENTRYPROC>("DS_Entry");
    ASSERT_NE(nullptr, entry);
    TW_IDENTITY application = Application(1);
    BYTE buffer[1024] = {};
    struct Triplet {
        TW_UINT32 group;
        TW_UINT16 dat, message;
    };
    for (Triplet t : {Triplet{DG_CONTROL, DAT_CAPABILITY, MSG_GET}, {DG_CONTROL, DAT_STATUS, MSG_GET},
                      {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS}, {DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS},
                      {DG_CONTROL, DAT_PENDINGXFERS, MSG_GET}, {DG_CONTROL, DAT_XFERGROUP, MSG_GET},
                      {DG_IMAGE, DAT_CIECOLOR, MSG_GET}, {DG_CONTROL, DAT_PARENT, MSG_OPENDSM}, {DG_AUDIO, 0x0201, MSG_GET}})
        EXPECT_EQ(TWRC_FAILURE, entry(&application, t.group, t.dat, t.message, buffer)) << t.dat << "/" << t.message;
    TW_IDENTITY identity{};
    identity.Id = 77;
    EXPECT_EQ(TWRC_SUCCESS, entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity));
    EXPECT_EQ(0u, identity.Id);
    EXPECT_STREQ("ORVIK PV350/PV360 Zoom Acquire", identity.ProductName);
    // A bad pointer before any open is a failure, never a stray return code.
    EXPECT_EQ(TWRC_FAILURE, entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, nullptr));
    EXPECT_EQ(TWRC_FAILURE, entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity));
    EXPECT_EQ(TWRC_FAILURE, entry(&application, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr));
    // Still closed: the failed opens changed nothing.
    EXPECT_EQ(TWRC_FAILURE, entry(&application, DG_CONTROL, DAT_STATUS, MSG_GET, buffer));
    acquiretest::WritePreferences(-1, 0);
}

TEST_F(SourceTest, SecondApplicationIsRefusedAndToldMaxConnections) {
    TW_IDENTITY second = Application(2), third = Application(3);
    TW_IDENTITY wanted{};
    EXPECT_EQ(TWRC_FAILURE, Direct(&second, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &wanted));
    TW_STATUS status{0xFFFF, 0xFFFF};
    EXPECT_EQ(TWRC_SUCCESS, Direct(&second, DG_CONTROL, DAT_STATUS, MSG_GET, &status));
    EXPECT_EQ(TWCC_MAXCONNECTIONS, status.ConditionCode);
    // It may still read the identity; anything else fails, and so does a stranger's status.
    TW_IDENTITY identity{};
    EXPECT_EQ(TWRC_SUCCESS, Direct(&second, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity));
    EXPECT_STREQ("Brisway Orvik Company", identity.Manufacturer);
    TW_CAPABILITY capability{CAP_XFERCOUNT, TWON_DONTCARE16, nullptr};
    EXPECT_EQ(TWRC_FAILURE, Direct(&second, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability));
    EXPECT_EQ(nullptr, capability.hContainer);
    EXPECT_EQ(TWRC_FAILURE, Direct(&third, DG_CONTROL, DAT_STATUS, MSG_GET, &status));
    // The application that has the source keeps it, undisturbed.
    EXPECT_EQ(TWCC_SUCCESS, ConditionCode());
    EXPECT_EQ(1, session->Probe());
}

TEST_F(SourceTest, BadPointersAreBadValues) {
    TW_IDENTITY& application = session->app.application();
    EXPECT_EQ(TWRC_FAILURE, Direct(nullptr, DG_CONTROL, DAT_XFERGROUP, MSG_GET, nullptr));
    EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
    // Read-only memory is no place for an answer.
    static const BYTE constant[512] = {1};
    void* readOnly = const_cast<BYTE*>(constant);
    struct Triplet {
        TW_UINT32 group;
        TW_UINT16 dat, message;
    };
    for (Triplet t : {Triplet{DG_CONTROL, DAT_IDENTITY, MSG_GET}, {DG_CONTROL, DAT_CAPABILITY, MSG_GET},
                      {DG_CONTROL, DAT_CAPABILITY, MSG_SET}, {DG_CONTROL, DAT_PENDINGXFERS, MSG_GET},
                      {DG_CONTROL, DAT_XFERGROUP, MSG_GET}, {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS}}) {
        for (void* bad : {static_cast<void*>(nullptr), readOnly}) {
            if (bad == readOnly && (t.message == MSG_SET || t.message == MSG_ENABLEDS)) continue;   // only read
            EXPECT_EQ(TWRC_FAILURE, Direct(&application, t.group, t.dat, t.message, bad)) << t.dat << "/" << t.message;
            EXPECT_EQ(TWCC_BADVALUE, ConditionCode()) << t.dat << "/" << t.message;
        }
    }
    EXPECT_EQ(TWRC_FAILURE, Direct(&application, DG_CONTROL, DAT_STATUS, MSG_GET, nullptr));
    EXPECT_EQ(TWCC_BUMMER, ConditionCode());
    // A container handle that is no memory block at all.
    TW_CAPABILITY bogus{CAP_XFERCOUNT, TWON_ONEVALUE, reinterpret_cast<TW_HANDLE>(uintptr_t(0x10))};
    EXPECT_EQ(TWRC_FAILURE, Direct(&application, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &bogus));
    EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
    EXPECT_EQ(1, session->Probe());
}

TEST_F(SourceTest, ConditionCodeIsToldOnce) {
    TW_PENDINGXFERS pending{};
    EXPECT_EQ(TWRC_FAILURE, Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
    EXPECT_EQ(TWCC_SEQERROR, ConditionCode());
    EXPECT_EQ(TWCC_SUCCESS, ConditionCode());
    TW_CAPABILITY contrast{ICAP_CONTRAST, TWON_DONTCARE16, nullptr};
    EXPECT_EQ(TWRC_FAILURE, Send(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &contrast));
    EXPECT_EQ(TWCC_CAPUNSUPPORTED, ConditionCode());
    EXPECT_EQ(TWCC_SUCCESS, ConditionCode());
}

TEST_F(SourceTest, EnablingWithoutACameraLeavesTheSourceOpen) {
    TW_USERINTERFACE ui{FALSE, FALSE, session->app.window()};
    EXPECT_EQ(TWRC_FAILURE, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    EXPECT_EQ(TWCC_SEQERROR, ConditionCode());
    EXPECT_EQ(1, session->Probe());
    EXPECT_TRUE(session->app.TakeNotifications().empty());
    // The application may go on: negotiate, or open the dialog instead.
    ui.ShowUI = TRUE;
    EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    EXPECT_EQ(2, session->Probe());
}

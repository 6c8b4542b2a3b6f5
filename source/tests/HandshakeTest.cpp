// The whole handshake of a TWAIN application with the source through the test source manager:
// open the manager, find the source, open it, negotiate, enable with and without the acquire
// dialog, receive the notifications, close; and DS_Entry's calling convention.
#include "CameraSourceFixture.h"
#include "GlobalMemory.h"
#include "PvresIds.h"
#include "Screenshot.h"
#include "SimulatedCamera.h"
#include "SourceFixture.h"
#include "WindowAnswerer.h"

#include <algorithm>

using sourcetest::kProductName;

namespace {

class HandshakeCameraTest : public CameraSourceTest {
protected:
    // The container type that MSG_GET of the capability answers.
    TW_UINT16 ContainerOf(TW_UINT16 cap) {
        TW_CAPABILITY capability{cap, TWON_DONTCARE16, nullptr};
        if (Send(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability) != TWRC_SUCCESS) return TWON_DONTCARE16;
        pv::GlobalBlock answered(capability.hContainer);
        return capability.ConType;
    }
    TW_UINT16 EnableWithoutDialog() {
        TW_USERINTERFACE ui{FALSE, FALSE, session->app.window()};
        return Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    }
};

}  // namespace

TEST_F(HandshakeCameraTest, WithoutDialogTheTransferIsReadyBeforeEnableReturns) {
    twaintest::TwainApplication& app = session->app;
    std::vector<TW_IDENTITY> sources = app.Sources();
    ASSERT_TRUE(std::any_of(sources.begin(), sources.end(),
                            [](const TW_IDENTITY& s) { return std::string(s.ProductName) == kProductName; }));
    ASSERT_EQ(TWRC_SUCCESS, app.OpenSource(kProductName));
    EXPECT_NE(0u, app.source().Id);
    TW_CAPABILITY count{CAP_XFERCOUNT, TWON_ONEVALUE, sourcetest::OneValue(TWTY_INT16, 1)};
    EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &count));
    pv::GlobalBlock offered(count.hContainer);

    ASSERT_EQ(TWRC_SUCCESS, EnableWithoutDialog());
    // No message loop has run: the notification came while DS_Entry was still at work.
    std::vector<TestDsmNotification> notified = app.TakeNotifications();
    ASSERT_EQ(1u, notified.size());
    EXPECT_EQ(MSG_XFERREADY, notified[0].message);
    EXPECT_NE(0, notified[0].duringSourceCall);
    EXPECT_EQ(0, notified[0].viaEntryPoint);

    TW_PENDINGXFERS pending{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, &pending));
    EXPECT_EQ(1, pending.Count);
    // The flash capability describes the pending picture alone.
    EXPECT_EQ(TWON_ONEVALUE, ContainerOf(ICAP_FLASHUSED));
    // The last transfer done: without a dialog the source asks to be closed.
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
    EXPECT_EQ(0, pending.Count);
    EXPECT_EQ(std::vector<TW_UINT16>{MSG_CLOSEDSREQ}, Messages(app.TakeNotifications()));
    EXPECT_EQ(TWON_ENUMERATION, ContainerOf(ICAP_FLASHUSED));
    TW_USERINTERFACE ui{};
    EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui));
    EXPECT_EQ(TWRC_SUCCESS, app.CloseSource());
    EXPECT_EQ(TWRC_SUCCESS, app.CloseManager());
}

TEST_F(HandshakeCameraTest, RefusedTransferReadyClosesTheSourceDown) {
    ASSERT_TRUE(session->Open());
    session->app.SetNotificationAnswer(TWRC_FAILURE);
    EXPECT_EQ(TWRC_SUCCESS, EnableWithoutDialog());
    EXPECT_EQ(std::vector<TW_UINT16>{MSG_XFERREADY}, Messages(session->app.TakeNotifications()));
    // The source has let go of the application: it answers it no more, and opens afresh.
    EXPECT_EQ(0, session->Probe());
    TW_IDENTITY again = session->app.source();
    EXPECT_EQ(TWRC_SUCCESS, session->DirectEntry()(&session->app.application(), DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &again));
    session->app.SetNotificationAnswer(TWRC_SUCCESS);
    EXPECT_EQ(1, session->Probe());
}

TEST_F(HandshakeCameraTest, EntryPointsOfATwain2Manager) {
    session->app.UseEntryPoints(true);
    ASSERT_TRUE(session->Open());
    // The containers answered to the application and the ones it offers.
    const std::pair<int, int> before = session->app.ManagerMemoryCalls();
    TW_CAPABILITY count{CAP_XFERCOUNT, TWON_DONTCARE16, nullptr};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &count));
    pv::GlobalBlock answered(count.hContainer);
    ASSERT_TRUE(answered);
    TW_CAPABILITY offer{CAP_XFERCOUNT, TWON_ONEVALUE, sourcetest::OneValue(TWTY_INT16, 1)};
    EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &offer));
    pv::GlobalBlock offered(offer.hContainer);
    const std::pair<int, int> after = session->app.ManagerMemoryCalls();
#ifdef _WIN64
    // Through the manager's own memory calls: one block allocated, both locked.
    EXPECT_EQ(before.first + 1, after.first);
    EXPECT_EQ(before.second + 2, after.second);
#else
    EXPECT_EQ(before, after);
#endif
    ASSERT_EQ(TWRC_SUCCESS, EnableWithoutDialog());
    std::vector<TestDsmNotification> notified = session->app.TakeNotifications();
    ASSERT_EQ(1u, notified.size());
    EXPECT_EQ(MSG_XFERREADY, notified[0].message);
#ifdef _WIN64
    // The 64-bit source speaks to a TWAIN 2 manager through the entry point it was given.
    EXPECT_NE(0, notified[0].viaEntryPoint);
#else
    // The 32-bit source keeps to TWAIN 1.x: it looks TWAIN_32.DLL up for each notification.
    EXPECT_EQ(0, notified[0].viaEntryPoint);
#endif
}

TEST_F(SourceTest, WithDialogMessagesGoThroughProcessEventAndCloseAsksToClose) {
    twaintest::TwainApplication& app = session->app;
    TW_USERINTERFACE ui{TRUE, TRUE, app.window()};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    EXPECT_EQ(FALSE, ui.ModalUI);
    HWND dialog = acquiretest::FindProcessWindow("ORVIK Photo Portal (TWAIN Acquire)");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(app.window(), GetWindow(dialog, GW_OWNER));
    // Modeless: the application's loop runs, and hands the dialog's messages to the source.
    PostMessageA(GetDlgItem(dialog, IDC_CAMERA_BUTTON), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(app.RunUntilNotified(500).empty());
    EXPECT_GT(app.sourceEvents(), 0);
    EXPECT_NE("", dialogtest::SaveScreenshot(dialog, "acquire_dialog_twain"));

    // The user closes it without choosing anything.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    std::vector<TestDsmNotification> notified = app.RunUntilNotified(5000);
    EXPECT_EQ(std::vector<TW_UINT16>{MSG_CLOSEDSREQ}, Messages(notified));
    EXPECT_FALSE(IsWindow(dialog));
    TW_USERINTERFACE disable{};
    EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &disable));
    EXPECT_EQ(1, session->Probe());
    EXPECT_EQ(TWRC_SUCCESS, app.CloseSource());
}

TEST_F(SourceTest, DisableClosesTheDialogTheUserLeftOpen) {
    TW_USERINTERFACE ui{TRUE, FALSE, session->app.window()};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    HWND dialog = acquiretest::FindProcessWindow("ORVIK Photo Portal (TWAIN Acquire)");
    ASSERT_TRUE(dialog);
    // Closing the source from the enabled state disables it first.
    EXPECT_EQ(TWRC_SUCCESS, session->app.CloseSource());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(session->app.TakeNotifications().empty());
}

#ifndef _WIN64
// Calls a DS_Entry as TWAIN callers do (arguments pushed right to left, the callee taking them
// off the stack) and answers how far the stack pointer moved across the call.
extern "C" int StackDriftOfEntry(void* entry, void* origin, void* data, TW_UINT16* result);
asm(R"(
    .text
    .globl _StackDriftOfEntry
_StackDriftOfEntry:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    movl %esp, %esi
    pushl 16(%ebp)
    pushl $1
    pushl $3
    pushl $1
    pushl 12(%ebp)
    call *8(%ebp)
    movl 20(%ebp), %ebx
    movw %ax, (%ebx)
    movl %esp, %eax
    subl %esi, %eax
    movl %esi, %esp
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");
#endif

TEST_F(SourceTest, EntryIsExportedWithTheStandardsCallingConvention) {
    HMODULE module = GetModuleHandleA("pvsource.ds");
    ASSERT_TRUE(module);
    void* entry = reinterpret_cast<void*>(GetProcAddress(module, "DS_Entry"));
    ASSERT_TRUE(entry);
    EXPECT_EQ(nullptr, GetProcAddress(module, "DS_Entry@20"));
    EXPECT_EQ(nullptr, GetProcAddress(module, "_DS_Entry@20"));
#ifndef _WIN64
    // DG_CONTROL / DAT_IDENTITY / MSG_GET through a caller that leaves the cleaning to the callee.
    TW_IDENTITY identity{};
    TW_UINT16 result = 0xFFFF;
    EXPECT_EQ(0, StackDriftOfEntry(entry, &session->app.application(), &identity, &result));
    EXPECT_EQ(TWRC_SUCCESS, result);
    EXPECT_STREQ(kProductName, identity.ProductName);
#endif
}

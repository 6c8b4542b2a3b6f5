// A TWAIN application for the tests: it loads "TWAIN_32.DLL" as applications do (the tests' own
// manager, through the DLL override), opens it with a window of its own, finds and opens a source,
// sends it triplets and runs its message loop, offering every message to the source first.
#pragma once

#include "TestDsmHooks.h"
#include "UniqueModule.h"
#include "UniqueWindow.h"

#include <string>
#include <utility>
#include <vector>

namespace twaintest {

class TwainApplication {
public:
    TwainApplication();
    ~TwainApplication();
    TwainApplication(const TwainApplication&) = delete;
    TwainApplication& operator=(const TwainApplication&) = delete;

    // The manager loaded is the tests' own (it has the test hooks).
    bool loaded() const { return entry_ && takeNotifications_ && memoryCalls_; }

    TW_UINT16 OpenManager();
    TW_UINT16 CloseManager();
    std::vector<TW_IDENTITY> Sources();
    TW_UINT16 OpenSource(const std::string& productName);
    TW_UINT16 CloseSource();
    // A triplet for the open source.
    TW_UINT16 Send(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData);
    // The source's condition code (DAT_STATUS).
    TW_UINT16 ConditionCode();

    // Runs the loop for up to milliseconds, each message offered to the source with
    // MSG_PROCESSEVENT; stops early once the source has notified something.
    std::vector<TestDsmNotification> RunUntilNotified(DWORD milliseconds);
    std::vector<TestDsmNotification> TakeNotifications();
    // Messages the source took as its own (TWRC_DSEVENT) so far.
    int sourceEvents() const { return sourceEvents_; }

    void SetNotificationAnswer(TW_UINT16 answer) { setAnswer_(answer); }
    void UseEntryPoints(bool on) { useEntryPoints_(on); }
    // Allocations and locks the source made through the manager's memory functions so far.
    std::pair<int, int> ManagerMemoryCalls() const {
        int allocations = 0, locks = 0;
        memoryCalls_(&allocations, &locks);
        return {allocations, locks};
    }

    TW_IDENTITY& application() { return application_; }
    TW_IDENTITY& source() { return source_; }
    HWND window() const { return window_.get(); }
    DSMENTRYPROC manager() const { return entry_; }

private:
    pv::UniqueModule module_;
    DSMENTRYPROC entry_ = nullptr;
    TestDsmTakeNotificationsProc takeNotifications_ = nullptr;
    TestDsmSetAnswerProc setAnswer_ = nullptr;
    TestDsmUseEntryPointsProc useEntryPoints_ = nullptr;
    TestDsmMemoryCallsProc memoryCalls_ = nullptr;
    pv::UniqueWindow window_;
    TW_IDENTITY application_{};
    TW_IDENTITY source_{};
    bool managerOpen_ = false;
    bool sourceOpen_ = false;
    int sourceEvents_ = 0;
};

}  // namespace twaintest

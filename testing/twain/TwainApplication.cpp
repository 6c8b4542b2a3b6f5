#include "TwainApplication.h"

#include <cstring>

namespace twaintest {

TwainApplication::TwainApplication()
    : module_(pv::UniqueModule::load("TWAIN_32.DLL")),
      entry_(module_.proc<DSMENTRYPROC>("DSM_Entry")),
      takeNotifications_(module_.proc<TestDsmTakeNotificationsProc>("TestDsmTakeNotifications")),
      setAnswer_(module_.proc<TestDsmSetAnswerProc>("TestDsmSetAnswer")),
      useEntryPoints_(module_.proc<TestDsmUseEntryPointsProc>("TestDsmUseEntryPoints")),
      memoryCalls_(module_.proc<TestDsmMemoryCallsProc>("TestDsmMemoryCalls")),
      window_(CreateWindowA("STATIC", "TWAIN test application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 320, 200,
                            nullptr, nullptr, nullptr, nullptr)) {
    application_.Version = {1, 0, TWLG_USA, TWCY_USA, "test 1.0"};
    application_.ProtocolMajor = 1;
    application_.ProtocolMinor = 6;
    application_.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(application_.Manufacturer, "Test");
    std::strcpy(application_.ProductFamily, "Tests");
    std::strcpy(application_.ProductName, "TWAIN test application");
}

TwainApplication::~TwainApplication() {
    if (sourceOpen_) CloseSource();
    if (managerOpen_) CloseManager();
    if (takeNotifications_) TakeNotifications();
}

TW_UINT16 TwainApplication::OpenManager() {
    HWND parent = window_.get();
    TW_UINT16 result = entry_(&application_, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
    managerOpen_ = result == TWRC_SUCCESS;
    return result;
}

TW_UINT16 TwainApplication::CloseManager() {
    HWND parent = window_.get();
    TW_UINT16 result = entry_(&application_, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    if (result == TWRC_SUCCESS) managerOpen_ = false;
    return result;
}

std::vector<TW_IDENTITY> TwainApplication::Sources() {
    std::vector<TW_IDENTITY> found;
    TW_IDENTITY identity{};
    for (TW_UINT16 message = MSG_GETFIRST;
         entry_(&application_, nullptr, DG_CONTROL, DAT_IDENTITY, message, &identity) == TWRC_SUCCESS;
         message = MSG_GETNEXT)
        found.push_back(identity);
    return found;
}

TW_UINT16 TwainApplication::OpenSource(const std::string& productName) {
    source_ = {};
    std::strncpy(source_.ProductName, productName.c_str(), sizeof source_.ProductName - 1);
    TW_UINT16 result = entry_(&application_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_);
    sourceOpen_ = result == TWRC_SUCCESS;
    return result;
}

TW_UINT16 TwainApplication::CloseSource() {
    TW_UINT16 result = entry_(&application_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
    if (result == TWRC_SUCCESS) sourceOpen_ = false;
    return result;
}

TW_UINT16 TwainApplication::Send(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData) {
    return entry_(&application_, &source_, group, dat, message, pData);
}

TW_UINT16 TwainApplication::ConditionCode() {
    TW_STATUS status{0xFFFF, 0xFFFF};
    if (Send(DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) return 0xFFFF;
    return status.ConditionCode;
}

std::vector<TestDsmNotification> TwainApplication::TakeNotifications() {
    std::vector<TestDsmNotification> notifications(64);
    notifications.resize(size_t(takeNotifications_(notifications.data(), int(notifications.size()))));
    return notifications;
}

std::vector<TestDsmNotification> TwainApplication::RunUntilNotified(DWORD milliseconds) {
    std::vector<TestDsmNotification> notifications;
    DWORD start = GetTickCount();
    while (notifications.empty() && GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TW_EVENT event{&message, MSG_NULL};
            if (sourceOpen_ && Send(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT) {
                ++sourceEvents_;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        notifications = TakeNotifications();
        if (notifications.empty()) Sleep(10);
    }
    return notifications;
}

}  // namespace twaintest

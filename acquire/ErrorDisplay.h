// The one place where the acquire module tells the user that something failed: a beep and a
// task-modal message box (or the Communication Error box) for the module's negative error codes.
#pragma once

#include <windows.h>

namespace acquire {

// Error codes of the acquire module.
constexpr int kErrUnexpected = -1000;
constexpr int kErrCommunication = -1002;
constexpr int kErrCancelled = -1004;
constexpr int kErrNoMemory = -1011;
constexpr int kErrUserCancelled = -1100;
constexpr int kErrNoPictures = -1101;
constexpr int kErrNoSuchPicture = -1102;
constexpr int kErrNoCard = -1110;
constexpr int kErrUnformatted = -1111;
constexpr int kErrBatteryExhausted = -1112;

// What the user is shown for a code.
struct ErrorMessage {
    enum class Kind { kNothing, kMessageBox, kCommunicationBox } kind = Kind::kNothing;
    UINT title = 0;   // string ids of pvres
    UINT text = 0;
};
ErrorMessage MessageForCode(int code);

// Beeps and shows the code's message (nothing for a cancel, for 0 and for codes it does not know).
void ShowAcquireError(int code, HWND owner);

// The acquire module's help, for the Help buttons.
void ShowAcquireHelp(HWND owner);

}  // namespace acquire

#include "ErrorDisplay.h"

#include "PvresIds.h"
#include "PvresModule.h"

#include <initializer_list>

namespace acquire {
namespace {

struct CodeMessage {
    std::initializer_list<int> codes;
    ErrorMessage message;
};

using Kind = ErrorMessage::Kind;

const CodeMessage kMessages[] = {
    {{-1000, -1003, -1019, -1020, -1022}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_UNEXPECTED}},
    {{-1002, -1006, -1013, -1016}, {Kind::kCommunicationBox, 0, 0}},
    {{-1011}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_INSUFFICIENT_MEMORY}},
    {{-1027, -1110}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_NO_CARD}},
    {{-1101}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_NO_PICTURES}},
    {{-1102}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_NO_SUCH_PICTURE}},
    {{-1105}, {Kind::kMessageBox, IDS_PV_TITLE_MEMORY_FULL, IDS_PV_MEMORY_FULL}},
    {{-1108, -1109}, {Kind::kMessageBox, IDS_PV_TITLE_UNREADABLE, IDS_PV_UNREADABLE_SELECTED}},
    {{-1111}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_CARD_UNFORMATTED}},
    {{-1112}, {Kind::kMessageBox, IDS_PV_TITLE_ERROR, IDS_PV_BATTERY_EXHAUSTED}},
};

INT_PTR CALLBACK CommunicationBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_COMM_HELP:
        ShowAcquireHelp(dialog);
        return TRUE;
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

ErrorMessage MessageForCode(int code) {
    for (const CodeMessage& entry : kMessages)
        for (int c : entry.codes)
            if (c == code) return entry.message;
    return {};
}

void ShowAcquireError(int code, HWND owner) {
    ErrorMessage message = MessageForCode(code);
    if (message.kind == Kind::kNothing) return;
    MessageBeep(MB_OK);
    if (message.kind == Kind::kCommunicationBox) {
        DialogBoxParamA(PvresInstance(), MAKEINTRESOURCEA(IDD_PV_COMM_ERROR), owner, CommunicationBoxProc, 0);
        return;
    }
    MessageBoxA(owner, PvresString(message.text).c_str(), PvresString(message.title, "Error").c_str(),
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

void ShowAcquireHelp(HWND owner) {
    MessageBoxA(owner, PvresString(IDS_PV_HELP_TEXT).c_str(), PvresString(IDS_PV_HELP_TITLE).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace acquire

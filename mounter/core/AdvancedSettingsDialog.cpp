// "Advanced Settings": the link's lock delay and time-out, and whether connections show progress.
#include "DialogSupport.h"
#include "LinkSettings.h"
#include "MounterGlobals.h"
#include "MounterResources.h"
#include "SerialConfigDialog.h"

#include <commctrl.h>

namespace {

struct SliderRange {
    int control, low, high, tick, line, page;
};
constexpr SliderRange kLockSlider = {IDC_LOCK_SLIDER, 0, 255, 32, 1, 32};
constexpr SliderRange kTimeoutSlider = {IDC_TIMEOUT_SLIDER, 10, 120, 10, 2, 10};

constexpr mounter::LinkSettings kDefaults;
constexpr int kDefaultTimeoutPosition = 30;

// The time-out slider counts sixths of a second per whole second stored.
int TimeoutPosition(DWORD timeoutMs) { return static_cast<int>(timeoutMs / 1000) * 6; }
DWORD TimeoutMs(int position) { return static_cast<DWORD>(position) * 1000 / 6; }

void SetUpSlider(HWND dialog, const SliderRange& range) {
    HWND slider = GetDlgItem(dialog, range.control);
    SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(range.low, range.high));
    SendMessageA(slider, TBM_SETTICFREQ, range.tick, 0);
    SendMessageA(slider, TBM_SETLINESIZE, 0, range.line);
    SendMessageA(slider, TBM_SETPAGESIZE, 0, range.page);
}

void SetSlider(HWND dialog, int control, int position) {
    SendDlgItemMessageA(dialog, control, TBM_SETPOS, TRUE, position);
}

int Slider(HWND dialog, int control) {
    return static_cast<int>(SendDlgItemMessageA(dialog, control, TBM_GETPOS, 0, 0));
}

void ShowSettings(HWND dialog, DWORD lockDelay, int timeoutPosition, DWORD showProgress) {
    SetSlider(dialog, IDC_LOCK_SLIDER, static_cast<int>(lockDelay));
    SetSlider(dialog, IDC_TIMEOUT_SLIDER, timeoutPosition);
    CheckDlgButton(dialog, IDC_SHOW_PROGRESS, showProgress ? BST_CHECKED : BST_UNCHECKED);
}

void OnInitDialog(HWND dialog) {
    SetUpSlider(dialog, kLockSlider);
    SetUpSlider(dialog, kTimeoutSlider);
    mounter::LinkSettings stored = mounter::ReadLinkSettings();
    ShowSettings(dialog, stored.lockDelay, TimeoutPosition(stored.timeout), stored.showProgress);
}

void OnOK(HWND dialog) {
    mounter::LinkSettings chosen;
    chosen.lockDelay = static_cast<DWORD>(Slider(dialog, IDC_LOCK_SLIDER));
    chosen.timeout = TimeoutMs(Slider(dialog, IDC_TIMEOUT_SLIDER));
    chosen.showProgress = IsDlgButtonChecked(dialog, IDC_SHOW_PROGRESS) == BST_CHECKED ? 1 : 0;
    mounter::WriteLinkSettings(chosen);   // a key that cannot be written is not reported
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK AdvancedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_ADVANCED_HELP:
        mounter::ShowHelpContents(dialog);
        return TRUE;
    case IDC_DEFAULTS:
        ShowSettings(dialog, kDefaults.lockDelay, kDefaultTimeoutPosition, kDefaults.showProgress);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CAdvancedSettingsDialog::DoModal(HWND parent) {
    mounter::InitDialogControls();
    INT_PTR result = DialogBoxParamA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDD_ADVANCED_SETTINGS), parent,
                                     AdvancedProc, 0);
    return result > 0 ? result : -1;
}

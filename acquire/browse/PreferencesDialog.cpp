#include "PreferencesDialog.h"

#include "DialogInit.h"
#include "ModalDialog.h"
#include "PvresIds.h"
#include "PvresModule.h"

#include <string>

namespace acquire {
namespace {

constexpr int kPortStrings = 10;   // "Auto Search", then "COM1" to "COM9"

std::string PortString(int port) { return PvresString(UINT(IDS_PV_PORT_AUTO + port)); }

class PreferencesBox {
public:
    PreferencesBox(CameraPreferences* preferences, const PortAvailability& ports) : preferences_(preferences), ports_(ports) {}

    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITDIALOG) {
            window_ = window;
            ApplyDialogInit(window, IDD_PV_PREFERENCES);
            FillPorts();
            Show(*preferences_);
            return TRUE;
        }
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            Keep();
            EndDialog(window, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, IDCANCEL);
            return TRUE;
        case IDC_PREF_RESET:
            Show(CameraPreferences{});
            return TRUE;
        }
        return FALSE;
    }

private:
    void FillPorts() {
        HWND combo = GetDlgItem(window_, IDC_PREF_PORT);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (int port = 0; port < kPortStrings; ++port)
            if (ports_[size_t(port)]) SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(PortString(port).c_str()));
    }

    void Show(const CameraPreferences& shown) {
        std::string port = shown.comPort >= 0 && shown.comPort < kPortStrings ? PortString(shown.comPort) : "";
        LRESULT item = SendDlgItemMessageA(window_, IDC_PREF_PORT, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(port.c_str()));
        SendDlgItemMessageA(window_, IDC_PREF_PORT, CB_SETCURSEL, item == CB_ERR ? 0 : WPARAM(item), 0);
        int speed = shown.baudRate >= 0 && shown.baudRate <= 5 ? shown.baudRate : 0;
        SendDlgItemMessageA(window_, IDC_PREF_SPEED, CB_SETCURSEL, WPARAM(speed), 0);
    }

    void Keep() {
        char text[64] = {};
        GetDlgItemTextA(window_, IDC_PREF_PORT, text, sizeof text);
        preferences_->comPort = 0;
        for (int port = 0; port < kPortStrings; ++port)
            if (PortString(port) == text) preferences_->comPort = port;
        LRESULT speed = SendDlgItemMessageA(window_, IDC_PREF_SPEED, CB_GETCURSEL, 0, 0);
        preferences_->baudRate = speed == CB_ERR ? 0 : int32_t(speed);
    }

    CameraPreferences* preferences_;
    const PortAvailability& ports_;
    HWND window_ = nullptr;
};

}  // namespace

bool EditPreferences(CameraPreferences* preferences, const PortAvailability& ports, HWND owner) {
    PreferencesBox box(preferences, ports);
    return RunModalDialog(box, IDD_PV_PREFERENCES, owner) == IDOK;
}

}  // namespace acquire

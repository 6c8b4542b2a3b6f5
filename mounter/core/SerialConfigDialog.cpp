#include "SerialConfigDialog.h"

#include "DialogSupport.h"
#include "MounterException.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "UniqueHandle.h"

#include <exception>
#include <iterator>

namespace {

constexpr DWORD kPortCount = 8;
constexpr DWORD kSpeeds[] = {9600, 19200, 38400, 57600, 115200, 230400};
constexpr DWORD kFastestSpeed = 230400;
constexpr int kFallbackSpeedEntry = 3;   // the fourth entry: 57600 when every speed is offered

// "COM1:" to "COM4:" and "COM5:" to "COM8:" are two runs of the string table.
UINT PortNameId(DWORD port) { return port < 4 ? IDS_PORT_COM1 + port : IDS_PORT_COM5 + (port - 4); }

// A port is offered when it opens, or when it exists but another program holds it.
bool PortPresent(const std::string& name) {
    pv::UniqueHandle port(CreateFileA(name.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return port.valid() || GetLastError() == ERROR_ACCESS_DENIED;
}

// Cameras of models 3 and 4 (and a folder without a session, which answers 3) cannot take 230400.
bool SpeedOffered(DWORD speed, DWORD model) { return speed != kFastestSpeed || (model != 3 && model != 4); }

void AddEntry(HWND list, const std::string& text, DWORD data) {
    LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageA(list, CB_SETITEMDATA, index, data);
}

// Selects the entry that carries value, else the entry at fallback.
void SelectEntry(HWND list, DWORD value, int fallback) {
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (static_cast<DWORD>(SendMessageA(list, CB_GETITEMDATA, i, 0)) == value) {
            SendMessageA(list, CB_SETCURSEL, i, 0);
            return;
        }
    }
    SendMessageA(list, CB_SETCURSEL, fallback, 0);
}

// The data of the selected entry; false when nothing is selected.
bool SelectedData(HWND list, DWORD* value) {
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return false;
    *value = static_cast<DWORD>(SendMessageA(list, CB_GETITEMDATA, index, 0));
    return true;
}

}  // namespace

CSerialConfigDialog::CSerialConfigDialog(CMounterNameSpaceFolder* folder)
    : m_folder(folder), m_initialPort(folder->Port()), m_initialSpeed(folder->Speed()) {}

INT_PTR CSerialConfigDialog::DoModal(HWND parent) {
    INT_PTR result = DialogBoxParamA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDD_SERIAL_CONFIG), parent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    return result > 0 ? result : -1;   // 0 stands for an unusable parent window
}

INT_PTR CALLBACK CSerialConfigDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CSerialConfigDialog* self = mounter::DialogObject<CSerialConfigDialog>(window, message, lParam);
    if (!self) return FALSE;
    if (message == WM_INITDIALOG) {
        self->m_window = window;
        self->OnInitDialog();
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        self->OnOK();
        return TRUE;
    case IDCANCEL:
        EndDialog(window, IDCANCEL);
        return TRUE;
    case IDC_SERIAL_HELP:
        mounter::ShowHelpContents(window);
        return TRUE;
    case IDC_ADVANCED:
        CAdvancedSettingsDialog().DoModal(window);
        return TRUE;
    default:
        return FALSE;
    }
}

void CSerialConfigDialog::OnInitDialog() {
    FillPortList();
    FillSpeedList();
}

void CSerialConfigDialog::FillPortList() {
    m_ports.clear();
    for (DWORD port = 0; port < kPortCount; ++port) {
        std::string name = mounter::LoadText(PortNameId(port));
        if (PortPresent(name)) m_ports[port] = name;
    }
    HWND list = GetDlgItem(m_window, IDC_PORT_LIST);
    for (const auto& [port, name] : m_ports) AddEntry(list, name, port);
    SelectEntry(list, m_folder->Port(), 0);
}

void CSerialConfigDialog::FillSpeedList() {
    DWORD model = m_folder->GetCameraModelCode();
    HWND list = GetDlgItem(m_window, IDC_SPEED_LIST);
    for (size_t i = 0; i < std::size(kSpeeds); ++i) {
        if (SpeedOffered(kSpeeds[i], model)) AddEntry(list, mounter::LoadText(IDS_SPEED_FIRST + i), kSpeeds[i]);
    }
    SelectEntry(list, m_folder->Speed(), kFallbackSpeedEntry);
}

void CSerialConfigDialog::OnOK() {
    DWORD port = 0, speed = 0;
    // Without any port found there is nothing to connect with: that is a failed change too.
    bool chosen = SelectedData(GetDlgItem(m_window, IDC_PORT_LIST), &port) &&
                  SelectedData(GetDlgItem(m_window, IDC_SPEED_LIST), &speed);
    bool unchanged = chosen && port == m_initialPort && speed == m_initialSpeed;
    if ((unchanged && m_folder->IsSessionOpen()) || (chosen && ApplySettings(port, speed))) {
        EndDialog(m_window, IDOK);
        return;
    }
    mounter::ShowMessage(m_window, IDS_PORT_CHANGE_FAILED, MB_OK | MB_ICONSTOP);
}

bool CSerialConfigDialog::ApplySettings(DWORD port, DWORD speed) {
    mounter::WaitCursor wait;
    DWORD previousPort = m_folder->WriteCommPort(port);
    DWORD previousSpeed = m_folder->WriteSpeed(speed);
    if (Reconnect()) return true;
    m_folder->WriteCommPort(previousPort);
    m_folder->WriteSpeed(previousSpeed);
    return false;
}

bool CSerialConfigDialog::Reconnect() {
    try {
        int result = m_folder->IsSessionOpen() ? m_folder->ReconnectCamera(nullptr) : m_folder->ConnectCamera(1, nullptr);
        return result == 0;
    } catch (const MounterException&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

INT_PTR RunSerialConfigLoop(CMounterNameSpaceFolder* folder, HWND parent) {
    CSerialConfigDialog dialog(folder);
    for (;;) {
        INT_PTR result = dialog.DoModal(parent);
        if (result == IDOK || result == IDCANCEL) return result;
        if (result == -1) return IDCANCEL;   // a dialog that cannot be shown ends the loop
    }
}

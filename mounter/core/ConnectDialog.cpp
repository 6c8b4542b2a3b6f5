#include "ConnectDialog.h"

#include "DialogSupport.h"
#include "LinkSettings.h"
#include "MounterGlobals.h"
#include "MounterResources.h"

#include <commctrl.h>

#include <initializer_list>

namespace {

// Cleared when a connection dialog is created, set by its Cancel button, read by the open's
// progress callback and by the connect that follows it.
volatile LONG g_connectCancel = 0;

constexpr DWORD kStepCount = 4;
// The open reports (-1, -1, -1) before it initialises a port that is not open yet.
constexpr DWORD kAnnouncement = 0xFFFFFFFF;

bool IsStepText(DWORD id) { return id >= IDC_STEP_TEXT_FIRST && id < IDC_STEP_TEXT_FIRST + kStepCount; }
bool IsStepIcon(DWORD id) { return id >= IDC_STEP_ICON_FIRST && id < IDC_STEP_ICON_FIRST + kStepCount; }

HICON LoadStepIcon(UINT id) {
    return static_cast<HICON>(LoadImageA(mounter::ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
}

// The last two steps stay on screen a moment, so that the user sees them done.
void PauseAfterStep(const CConnectDialog& dialog, DWORD iconId) {
    if (!dialog.IsVisible()) return;
    if (iconId == IDC_STEP_ICON_FIRST + 2) Sleep(100);
    else if (iconId == IDC_STEP_ICON_FIRST + 3) Sleep(400);
}

}  // namespace

CConnectDialog::~CConnectDialog() { Destroy(); }

bool CConnectDialog::Create(HWND parent) {
    g_connectCancel = 0;
    Destroy();
    mounter::InitDialogControls();
    m_underWay.reset(LoadStepIcon(IDI_STEP_UNDER_WAY));
    m_done.reset(LoadStepIcon(IDI_STEP_DONE));
    m_failed.reset(LoadStepIcon(IDI_STEP_FAILED));
    CreateDialogParamA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDD_CONNECT), parent, DialogProc,
                       reinterpret_cast<LPARAM>(this));
    if (!m_window) FreeIcons();
    return m_window != nullptr;
}

void CConnectDialog::Show() {
    if (m_window) ShowWindow(m_window, SW_SHOW);
}

bool CConnectDialog::IsVisible() const { return m_window && IsWindowVisible(m_window); }

void CConnectDialog::Report(DWORD textId, DWORD iconId, DWORD state) {
    if (!m_window) return;
    if (IsStepText(textId)) EnableWindow(GetDlgItem(m_window, textId), TRUE);
    if (IsStepIcon(iconId)) {
        HWND icon = GetDlgItem(m_window, iconId);
        if (HICON image = StateIcon(state)) SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(image), 0);
        EnableWindow(icon, TRUE);
    }
    mounter::PumpDialogMessages(m_window);
}

void CConnectDialog::Destroy() {
    if (m_window) DestroyWindow(m_window);
    m_window = nullptr;
    FreeIcons();
}

INT_PTR CALLBACK CConnectDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CConnectDialog* self = mounter::DialogObject<CConnectDialog>(window, message, lParam);
    if (!self) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        self->OnInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL) return FALSE;
        self->OnCancel();
        return TRUE;
    case WM_NCDESTROY:
        self->m_window = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

void CConnectDialog::OnInitDialog(HWND window) {
    m_window = window;
    for (DWORD step = 0; step < kStepCount; ++step) {
        HWND icon = GetDlgItem(window, IDC_STEP_ICON_FIRST + step);
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(m_underWay.get()), 0);
        EnableWindow(icon, FALSE);
        EnableWindow(GetDlgItem(window, IDC_STEP_TEXT_FIRST + step), FALSE);
    }
    HWND animation = GetDlgItem(window, IDC_CONNECT_ANIMATION);
    Animate_OpenEx(animation, mounter::ModuleInstance(), MAKEINTRESOURCEA(IDR_CONNECT_AVI));
    Animate_Play(animation, 0, -1, -1);   // first to last frame, repeating without end
}

void CConnectDialog::OnCancel() {
    g_connectCancel = 1;
    DestroyWindow(m_window);
}

HICON CConnectDialog::StateIcon(DWORD state) const {
    switch (state) {
    case IDI_STEP_UNDER_WAY: return m_underWay.get();
    case IDI_STEP_DONE: return m_done.get();
    case IDI_STEP_FAILED: return m_failed.get();
    default: return nullptr;
    }
}

void CConnectDialog::FreeIcons() {
    for (pv::UniqueIcon* icon : {&m_underWay, &m_done, &m_failed}) icon->reset();
}

bool ConnectCancelRequested() { return g_connectCancel != 0; }

bool ShowConnectionProgressSetting() { return mounter::ReadLinkSettings().showProgress != 0; }

DWORD CALLBACK ConnectProgressCallback(ULONG_PTR user, DWORD textId, DWORD iconId, DWORD state) {
    auto* dialog = reinterpret_cast<CConnectDialog*>(user);
    if (dialog) {
        bool announcement = textId == kAnnouncement && iconId == kAnnouncement && state == kAnnouncement;
        if (announcement && ShowConnectionProgressSetting()) dialog->Show();
        dialog->Report(textId, iconId, state);
        PauseAfterStep(*dialog, iconId);
    }
    return static_cast<DWORD>(g_connectCancel);
}

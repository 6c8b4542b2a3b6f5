#include "CopyProgressDialog.h"

#include "DialogSupport.h"
#include "MounterGlobals.h"
#include "MounterResources.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// One word shared by every copy progress dialog: cleared when one is created, set by its Cancel.
volatile LONG g_copyCancel = 0;

constexpr DWORD kBarEnd = 100;

// The bar counts hundredths of the total. A total under 100 bytes has no divisor: the bar then stays
// empty until the read is complete.
WPARAM BarPosition(DWORD done, DWORD total, LONG divisor) {
    if (divisor <= 0) return done >= total ? kBarEnd : 0;
    return std::min<DWORD>(done / static_cast<DWORD>(divisor), kBarEnd);
}

}  // namespace

CCopyProgressDialog::~CCopyProgressDialog() { Destroy(); }

bool CCopyProgressDialog::Create(HWND parent) {
    g_copyCancel = 0;
    Destroy();
    mounter::InitDialogControls();
    m_divisor = -1;
    m_window = CreateDialogParamA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDD_COPY_PROGRESS), parent,
                                  DialogProc, reinterpret_cast<LPARAM>(this));
    if (!m_window) return false;
    SendDlgItemMessageA(m_window, IDC_COPY_PROGRESS, PBM_SETPOS, 0, 0);
    ShowWindow(m_window, SW_SHOW);
    return true;
}

void CCopyProgressDialog::SetFileName(const std::string& name) { m_fileName = name; }

void CCopyProgressDialog::SetSize(DWORD bytes) { m_sizeText = std::to_string(bytes); }

void CCopyProgressDialog::SetSizeUnknown() {
    m_sizeText.clear();
    m_divisor = -1;
}

// The size first: whoever reads the dialog and sees the new name sees its size too.
void CCopyProgressDialog::UpdateData() {
    SetDlgItemTextA(m_window, IDC_COPY_SIZE, m_sizeText.c_str());
    SetDlgItemTextA(m_window, IDC_COPY_FILE_NAME, m_fileName.c_str());
}

void CCopyProgressDialog::Destroy() {
    if (m_window) DestroyWindow(m_window);
    m_window = nullptr;
}

void CCopyProgressDialog::Progress(DWORD done, DWORD total) {
    if (m_divisor == -1) StartReports(total);
    SendDlgItemMessageA(m_window, IDC_COPY_PROGRESS, PBM_SETPOS, BarPosition(done, total, m_divisor), 0);
    mounter::PumpDialogMessages(m_window);
}

void CCopyProgressDialog::StartReports(DWORD total) {
    m_divisor = static_cast<LONG>(total / 100);
    m_sizeText = std::to_string(total);
    HWND bar = GetDlgItem(m_window, IDC_COPY_PROGRESS);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, kBarEnd));
    SendMessageA(bar, PBM_SETSTEP, 10, 0);
    UpdateData();
}

INT_PTR CALLBACK CCopyProgressDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CCopyProgressDialog* self = mounter::DialogObject<CCopyProgressDialog>(window, message, lParam);
    if (!self) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL) return FALSE;
        g_copyCancel = 1;
        DestroyWindow(window);
        return TRUE;
    case WM_NCDESTROY:
        self->m_window = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

bool CopyCancelRequested() { return g_copyCancel != 0; }

DWORD CALLBACK CopyProgressCallback(ULONG_PTR user, DWORD done, DWORD total) {
    if (auto* dialog = reinterpret_cast<CCopyProgressDialog*>(user)) dialog->Progress(done, total);
    return static_cast<DWORD>(g_copyCancel);
}

#include "FormatProgressDialog.h"

#include "MounterGlobals.h"
#include "MounterResources.h"

namespace {

// A notice without controls to answer: the dialog manager's defaults do everything.
INT_PTR CALLBACK NoticeProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

CFormatProgressDialog::~CFormatProgressDialog() {
    if (m_window) DestroyWindow(m_window);
}

bool CFormatProgressDialog::Create(HWND parent) {
    m_window = CreateDialogParamA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDD_FORMAT_PROGRESS), parent,
                                  NoticeProc, 0);
    if (!m_window) return false;
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);   // the format that follows blocks this thread
    return true;
}

void CFormatProgressDialog::Hide() {
    if (m_window) ShowWindow(m_window, SW_HIDE);
}

#include "DeleteFileDialog.h"

#include "MounterMessages.h"
#include "MounterResources.h"

#include <commdlg.h>

namespace {

constexpr char kFilter[] = "*.*\0*.*\0";

}  // namespace

bool CDeleteFileDialog::DoModal() {
    std::string title = mounter::LoadText(IDS_DELETE_TITLE);
    m_names.assign(kNameBufferSize, '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = m_names.data();
    dialog.nMaxFile = kNameBufferSize;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
    dialog.lpfnHook = HookProc;
    return GetSaveFileNameA(&dialog) != FALSE;
}

// The hook's own dialog is a child of the file dialog's frame; the frame is ready once it reports
// CDN_INITDONE.
UINT_PTR CALLBACK CDeleteFileDialog::HookProc(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) PrepareFrame(GetParent(child));
    return 0;
}

void CDeleteFileDialog::PrepareFrame(HWND frame) {
    std::string deleteText = mounter::LoadText(IDS_DELETE_BUTTON);
    SendMessageA(frame, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(deleteText.c_str()));
    SetWindowLongPtrA(frame, GWL_STYLE, GetWindowLongPtrA(frame, GWL_STYLE) & ~static_cast<LONG_PTR>(DS_CONTEXTHELP));
    SetWindowLongPtrA(frame, GWL_EXSTYLE, GetWindowLongPtrA(frame, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CONTEXTHELP));
    SetWindowPos(frame, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// One choice is a full path; several are the directory followed by the names, each ended by a zero,
// and an empty name at the end.
std::vector<std::string> CDeleteFileDialog::SelectedPaths() const {
    std::vector<std::string> paths;
    const char* first = m_names.data();
    const char* next = first + strlen(first) + 1;
    if (!*first) return paths;
    if (!*next) return {first};
    std::string directory = first;
    if (directory.back() != '\\') directory += '\\';
    for (; *next; next += strlen(next) + 1) paths.push_back(directory + next);
    return paths;
}

#include "OpenWithDialog.h"

#include "DialogSupport.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "UserObject.h"
#include "ViewResources.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace {

constexpr int kIconSize = 16;
constexpr int kIconsAtFirst = 128;
constexpr int kIconsGrowth = 128;
constexpr int kColumnWidth = 210;
constexpr UINT kFallbackIcon = 2;
constexpr char kFallbackIconFile[] = "SHELL32.DLL";
constexpr char kColumnHeading[] = "Heading";

// "Program Files (*.exe)|*.exe||" as the file dialog takes it: bars become terminators.
std::string FilterOf(std::string filter) {
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter;
}

// The default extension without its "*.": the dialog appends what it is given to a typed name.
std::string DefaultExtensionOf(const std::string& pattern) {
    size_t dot = pattern.rfind('.');
    return dot == std::string::npos ? pattern : pattern.substr(dot + 1);
}

}  // namespace

INT_PTR COpenWith::DoModal(HWND parent) {
    mounter::InitDialogControls();
    INT_PTR result = DialogBoxParamA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDD_OPEN_WITH), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return result > 0 ? result : -1;
}

INT_PTR CALLBACK COpenWith::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    COpenWith* self = mounter::DialogObject<COpenWith>(window, message, lParam);
    if (!self) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        self->m_window = window;
        self->OnInitDialog();
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_OPEN_WITH_LIST && header->code == LVN_ITEMCHANGED)
            self->OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: self->OnOK(); return TRUE;
        case IDCANCEL: self->End(IDCANCEL); return TRUE;
        case IDC_OPEN_WITH_OTHER: self->OnOther(); return TRUE;
        default: return FALSE;
        }
    default:
        return FALSE;
    }
}

void COpenWith::OnInitDialog() {
    SetDlgItemTextA(m_window, IDC_OPEN_WITH_PROMPT, mounter::FormatText(IDS_OPEN_WITH_PROMPT, m_fileName).c_str());
    m_list = GetDlgItem(m_window, IDC_OPEN_WITH_LIST);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = kColumnWidth;
    column.pszText = const_cast<char*>(kColumnHeading);
    SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    m_icons.reset(ImageList_Create(kIconSize, kIconSize, ILC_MASK | ILC_COLOR32, kIconsAtFirst, kIconsGrowth));
    SendMessageA(m_list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_icons.get()));
    EnableWindow(GetDlgItem(m_window, IDOK), FALSE);
    mounter::WaitCursor wait;
    FillProgramList();
}

void COpenWith::FillProgramList() {
    for (const OpenWithProgram& program : RegisteredOpenPrograms()) AddProgram(program);
}

void COpenWith::AddProgram(const OpenWithProgram& program) {
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = program.name.c_str();
    if (SendMessageA(m_list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)) >= 0) return;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(m_paths.size());
    item.pszText = const_cast<char*>(program.name.c_str());
    item.iImage = ProgramIcon(program.path);
    item.lParam = static_cast<LPARAM>(m_paths.size());
    m_paths.push_back(program.path);
    if (SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) < 0) m_paths.pop_back();
}

// The program's small icon, or the shell's icon of a program when it has none: its image index.
int COpenWith::ProgramIcon(const std::string& path) {
    SHFILEINFOA info = {};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE);
    pv::UniqueIcon icon(info.hIcon);
    if (!icon) icon.reset(ExtractIconA(mounter::ModuleInstance(), kFallbackIconFile, kFallbackIcon));
    // ExtractIcon answers 1 for a file that is no icon source; that is no icon either.
    if (reinterpret_cast<UINT_PTR>(icon.get()) <= 1) {
        icon.release();
        return -1;
    }
    return ImageList_AddIcon(m_icons.get(), icon.get());
}

void COpenWith::OnItemChanged(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE)) return;
    bool selected = SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) >= 0;
    EnableWindow(GetDlgItem(m_window, IDOK), selected);
}

void COpenWith::OnOK() {
    LRESULT selected = SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (selected < 0) return;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(selected);
    if (!SendMessageA(m_list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
    size_t index = static_cast<size_t>(item.lParam);
    if (index >= m_paths.size()) return;
    m_program = m_paths[index];
    End(IDOK);
}

void COpenWith::OnOther() {
    std::string filter = FilterOf(mounter::LoadText(IDS_PROGRAM_FILTER));
    std::string extension = DefaultExtensionOf(mounter::LoadText(IDS_PROGRAM_EXTENSION));
    char file[MAX_PATH] = "";
    OPENFILENAMEA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = m_window;
    choice.lpstrFilter = filter.c_str();
    choice.lpstrFile = file;
    choice.nMaxFile = sizeof file;
    choice.lpstrDefExt = extension.c_str();
    choice.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_LONGNAMES | OFN_EXPLORER;
    if (!GetOpenFileNameA(&choice)) return;
    m_program = file;
    End(IDOK);
}

// Both ways out take the stored programs away with the list.
void COpenWith::End(INT_PTR result) {
    m_register = result == IDOK && IsDlgButtonChecked(m_window, IDC_OPEN_WITH_ALWAYS) == BST_CHECKED;
    SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
    m_paths.clear();
    EndDialog(m_window, result);
}

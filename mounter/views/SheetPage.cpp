#include "SheetPage.h"

#include "MounterGlobals.h"
#include "MounterMessages.h"

#include <cstdio>

HPROPSHEETPAGE CSheetPage::CreatePage() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = mounter::ModuleInstance();
    page.pszTemplate = MAKEINTRESOURCEA(m_templateId);
    page.pfnDlgProc = DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageA(&page);
}

INT_PTR CALLBACK CSheetPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CSheetPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
        self->OnInitDialog();
        return TRUE;
    }
    auto* self = reinterpret_cast<CSheetPage*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
    case WM_NOTIFY: {
        INT_PTR result = self->OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_COMMAND: self->OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_PAINT: self->Paint(); return TRUE;
    case WM_RBUTTONDBLCLK: self->OnRightDoubleClick(); return TRUE;
    case WM_DESTROY: self->m_window = nullptr; return FALSE;
    default: return FALSE;
    }
}

INT_PTR CSheetPage::OnNotify(const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE: OnSetActive(); return 0;
    case PSN_APPLY: return OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
    default: return 0;
    }
}

void CSheetPage::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    OnPaint(dc);
    EndPaint(m_window, &paint);
}

void CSheetPage::SetModified() const { PropSheet_Changed(GetParent(m_window), m_window); }

void CSheetPage::SetText(int id, const std::string& text) const { SetDlgItemTextA(m_window, id, text.c_str()); }

void CSheetPage::SetNumber(int id, long value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    SetText(id, text);
}

void CSheetPage::Enable(int id, bool enabled) const { EnableWindow(GetDlgItem(m_window, id), enabled); }

void CSheetPage::EnableAll(std::initializer_list<int> ids, bool enabled) const {
    for (int id : ids) Enable(id, enabled);
}

bool CSheetPage::Checked(int id) const { return IsDlgButtonChecked(m_window, id) == BST_CHECKED; }

void CSheetPage::Check(int id, bool checked) const { CheckDlgButton(m_window, id, checked ? BST_CHECKED : BST_UNCHECKED); }

int CSheetPage::CheckedIndex(const std::vector<int>& ids) const {
    for (size_t i = 0; i < ids.size(); ++i)
        if (Checked(ids[i])) return static_cast<int>(i);
    return -1;
}

void CSheetPage::CheckIndex(const std::vector<int>& ids, int index) const {
    for (size_t i = 0; i < ids.size(); ++i) Check(ids[i], static_cast<int>(i) == index);
}

RECT CSheetPage::ControlRect(int id) const {
    RECT rect = {};
    HWND control = GetDlgItem(m_window, id);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

INT_PTR RunPropertySheet(HWND owner, UINT captionId, const std::vector<CSheetPage*>& pages) {
    std::vector<HPROPSHEETPAGE> handles;
    for (CSheetPage* page : pages)
        if (HPROPSHEETPAGE handle = page->CreatePage()) handles.push_back(handle);
    if (handles.size() != pages.size()) {
        for (HPROPSHEETPAGE handle : handles) DestroyPropertySheetPage(handle);
        return -1;
    }
    std::string caption = mounter::LoadText(captionId);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = mounter::ModuleInstance();
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.phpage = handles.data();
    return PropertySheetA(&header);
}

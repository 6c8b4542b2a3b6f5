#include "ChooserLists.h"

#include "ErrorDisplay.h"
#include "PvresIds.h"

#include <algorithm>

namespace acquire {

void ChooserLists::Attach(HWND dialog) {
    dialog_ = dialog;
    files_ = GetDlgItem(dialog, IDC_CHOOSER_FILES);
    transfers_ = GetDlgItem(dialog, IDC_CHOOSER_TRANSFER_LIST);
    values_.clear();
    showThumbnail_ = false;
    CheckDlgButton(dialog, IDC_CHOOSER_SHOW_THUMBNAIL, BST_UNCHECKED);
    UpdateButtons();
}

void ChooserLists::OnCommand(int id, int code, const std::function<void()>& add,
                             const std::function<void()>& selectionChanged) {
    switch (id) {
    case IDC_CHOOSER_FILES:
        if (code == LBN_SELCHANGE) selectionChanged();
        break;
    case IDC_CHOOSER_ADD:
        add();
        break;
    case IDC_CHOOSER_REMOVE:
        RemoveSelectedTransfers();
        break;
    case IDC_CHOOSER_REMOVE_ALL:
        RemoveAllTransfers();
        break;
    case IDC_CHOOSER_SHOW_THUMBNAIL:
        showThumbnail_ = IsDlgButtonChecked(dialog_, IDC_CHOOSER_SHOW_THUMBNAIL) == BST_CHECKED;
        selectionChanged();
        break;
    case IDC_CHOOSER_HELP:
        ShowAcquireHelp(dialog_);
        break;
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog_, id);
        return;
    }
    UpdateButtons();
}

std::vector<int> ChooserLists::SelectedFiles() const {
    LRESULT count = SendMessageA(files_, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) return {};
    std::vector<int> selected(static_cast<size_t>(count));
    count = SendMessageA(files_, LB_GETSELITEMS, WPARAM(count), LPARAM(selected.data()));
    selected.resize(size_t(std::max<LRESULT>(count, 0)));
    return selected;
}

void ChooserLists::AddTransfer(const std::string& text, const std::string& value) {
    if (std::find(values_.begin(), values_.end(), value) != values_.end()) return;
    if (SendMessageA(transfers_, LB_ADDSTRING, 0, LPARAM(text.c_str())) < 0) return;
    values_.push_back(value);
}

void ChooserLists::RemoveSelectedTransfers() {
    for (int i = int(values_.size()) - 1; i >= 0; --i) {
        if (SendMessageA(transfers_, LB_GETSEL, WPARAM(i), 0) <= 0) continue;
        SendMessageA(transfers_, LB_DELETESTRING, WPARAM(i), 0);
        values_.erase(values_.begin() + i);
    }
    if (!values_.empty()) {
        SendMessageA(transfers_, LB_SETCARETINDEX, WPARAM(values_.size() - 1), FALSE);
        SetFocus(transfers_);
    }
}

void ChooserLists::RemoveAllTransfers() {
    SendMessageA(transfers_, LB_RESETCONTENT, 0, 0);
    values_.clear();
}

void ChooserLists::UpdateButtons() const {
    bool holding = !values_.empty();
    EnableWindow(GetDlgItem(dialog_, IDC_CHOOSER_ADD), SendMessageA(files_, LB_GETSELCOUNT, 0, 0) > 0);
    EnableWindow(GetDlgItem(dialog_, IDC_CHOOSER_REMOVE), holding);
    EnableWindow(GetDlgItem(dialog_, IDC_CHOOSER_REMOVE_ALL), holding);
    EnableWindow(GetDlgItem(dialog_, IDOK), holding);
}

}  // namespace acquire

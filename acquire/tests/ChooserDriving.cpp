#include "ChooserDriving.h"

#include "PvresIds.h"
#include "ThumbnailArea.h"

#include <commctrl.h>

#include <algorithm>

namespace acquiretest {

namespace {

uint32_t WINAPI IgnoreSelection(uint32_t, SelectionRecord*, uintptr_t) { return 0; }

std::vector<std::string> ItemsOf(HWND control, UINT count, UINT length, UINT text) {
    std::vector<std::string> items;
    LRESULT n = SendMessageA(control, count, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char item[512] = {};
        if (SendMessageA(control, length, WPARAM(i), 0) < LRESULT(sizeof item)) SendMessageA(control, text, WPARAM(i), LPARAM(item));
        items.push_back(item);
    }
    return items;
}

}  // namespace

HWND OpenAcquireDialog(const AcquireCalls& calls, pv::UniqueWindow* parent) {
    parent->reset(CreateWindowA("STATIC", "TWAIN application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                nullptr, nullptr, nullptr));
    return calls.open(parent->get(), -1, IgnoreSelection);
}

std::vector<std::string> ListItems(HWND list) { return ItemsOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

std::vector<std::string> ComboItems(HWND combo) { return ItemsOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }

std::string ComboText(HWND combo) {
    char text[256] = {};
    GetWindowTextA(combo, text, sizeof text);
    return text;
}

std::string DialogText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id))); }

void SelectFiles(HWND dialog, int first, int last) {
    HWND files = GetDlgItem(dialog, IDC_CHOOSER_FILES);
    SendMessageA(files, LB_SETSEL, FALSE, -1);
    SendMessageA(files, LB_SELITEMRANGE, TRUE, MAKELPARAM(first, last));
    SendMessageA(files, LB_SETCARETINDEX, WPARAM(first), FALSE);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_FILES, LBN_SELCHANGE), LPARAM(files));
}

std::function<void(HWND)> ChooseEveryFile(std::vector<std::string>* listed) {
    return [listed](HWND chooser) {
        *listed = ListItems(GetDlgItem(chooser, IDC_CHOOSER_FILES));
        SelectFiles(chooser, 0, int(listed->size()) - 1);
        Press(chooser, IDC_CHOOSER_ADD);
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

void SelectTransfer(HWND dialog, int item) {
    HWND transfers = GetDlgItem(dialog, IDC_CHOOSER_TRANSFER_LIST);
    SendMessageA(transfers, LB_SETSEL, FALSE, -1);
    SendMessageA(transfers, LB_SETSEL, TRUE, item);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_TRANSFER_LIST, LBN_SELCHANGE), LPARAM(transfers));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::string SelectedFolder(HWND dialog) {
    HWND tree = GetDlgItem(dialog, IDC_CHOOSER_TREE);
    char text[MAX_PATH] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = HTREEITEM(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, LPARAM(&item))) return {};
    return text;
}

LPARAM ThumbnailPoint(HWND dialog, size_t index) {
    using acquire::ThumbnailArea;
    HWND scroll = GetDlgItem(dialog, IDC_THUMBNAIL_SCROLL);
    RECT area, bar;
    GetWindowRect(GetDlgItem(dialog, IDC_THUMBNAIL_AREA), &area);
    GetWindowRect(scroll, &bar);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    const int pitchX = ThumbnailArea::kCellWidth + ThumbnailArea::kGap;
    const int pitchY = ThumbnailArea::kCellHeight + ThumbnailArea::kGap;
    const int columns = std::max(1, int(area.right - area.left - (bar.right - bar.left) - ThumbnailArea::kGap) / pitchX);
    const int row = int(index) / columns, column = int(index) % columns;
    SendMessageA(dialog, WM_VSCROLL, SB_TOP, LPARAM(scroll));
    for (int i = 0; i < row; ++i) SendMessageA(dialog, WM_VSCROLL, SB_LINEDOWN, LPARAM(scroll));
    SCROLLINFO shown{sizeof shown, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(scroll, SB_CTL, &shown);
    return MAKELPARAM(area.left + ThumbnailArea::kGap + column * pitchX + ThumbnailArea::kCellWidth / 2,
                      area.top + ThumbnailArea::kGap + (row - shown.nPos) * pitchY + 40);
}

LPARAM FirstThumbnail(HWND dialog) { return ThumbnailPoint(dialog, 0); }

void SelectThumbnails(HWND dialog, const std::vector<size_t>& indices) {
    for (size_t i = 0; i < indices.size(); ++i)
        SendMessageA(dialog, WM_LBUTTONDOWN, i ? MK_CONTROL : 0, ThumbnailPoint(dialog, indices[i]));
}

std::string PreferenceValue(const char* key) {
    char text[MAX_PATH] = {};
    GetPrivateProfileStringA("Preferences", key, "(none)", text, sizeof text, "PVACQUIRE.INI");
    return text;
}

}  // namespace acquiretest

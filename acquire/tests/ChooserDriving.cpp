#include "ChooserDriving.h"

#include "PvresIds.h"
#include "ThumbnailArea.h"

#include <commctrl.h>

namespace acquiretest {

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = {};
        if (SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0) < LRESULT(sizeof text))
            SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
        items.push_back(text);
    }
    return items;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        if (SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(i), 0) < LRESULT(sizeof text))
            SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        items.push_back(text);
    }
    return items;
}

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

LPARAM FirstThumbnail(HWND dialog) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog, IDC_THUMBNAIL_AREA), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    return MAKELPARAM(area.left + acquire::ThumbnailArea::kGap + 50, area.top + acquire::ThumbnailArea::kGap + 40);
}

std::string PreferenceValue(const char* key) {
    char text[MAX_PATH] = {};
    GetPrivateProfileStringA("Preferences", key, "(none)", text, sizeof text, "PVACQUIRE.INI");
    return text;
}

}  // namespace acquiretest

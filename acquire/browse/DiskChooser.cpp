#include "DiskChooser.h"

#include "DiskPicture.h"
#include "ModalDialog.h"
#include "PvresIds.h"
#include "ThumbnailBox.h"
#include "UniqueHandle.h"
#include "WaitCursor.h"

#include <commctrl.h>

#include <algorithm>

namespace acquire {
namespace {

// Files a folder lists at most.
constexpr int kFileLimit = 10000;

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

}  // namespace

DiskChooser::DiskChooser(const std::string& patterns, std::string previousPath, bool showFileExt)
    : patterns_(SplitPatterns(patterns)), folder_(std::move(previousPath)), showFileExt_(showFileExt) {}

std::vector<std::string> DiskChooser::SplitPatterns(const std::string& patterns) {
    std::vector<std::string> list;
    size_t start = 0;
    for (size_t bar; (bar = patterns.find('|', start)) != std::string::npos; start = bar + 1)
        if (bar > start) list.push_back(patterns.substr(start, bar - start));
    if (start < patterns.size()) list.push_back(patterns.substr(start));
    return list;
}

std::string DiskChooser::ShownName(const std::string& name, bool showFileExt) {
    if (showFileExt || name.size() < 4 || name[name.size() - 4] != '.') return name;
    return name.substr(0, name.size() - 4);
}

INT_PTR DiskChooser::Run(HWND owner) { return RunModalDialog(*this, IDD_PV_DISK_PICTURES, owner); }

INT_PTR DiskChooser::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        window_ = window;
        OnInit();
        return TRUE;
    case WM_COMMAND:
        lists_.OnCommand(LOWORD(wParam), HIWORD(wParam), [this] { AddSelected(); }, [this] { OnFileSelection(); });
        return TRUE;
    case WM_NOTIFY:
        if (wParam == IDC_CHOOSER_TREE && tree_.OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) FillFiles();
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_CHOOSER_THUMBNAIL) return FALSE;
        DrawThumbnailBox(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), thumbnail_, lists_.showThumbnail() && shownFile_ >= 0);
        return TRUE;
    }
    return FALSE;
}

void DiskChooser::OnInit() {
    WaitCursor hourglass;
    lists_.Attach(window_);
    tree_.Attach(GetDlgItem(window_, IDC_CHOOSER_TREE));
    std::string previous = folder_;
    tree_.Open(previous);
    // A folder the tree does not reach is still listed.
    if (_stricmp(tree_.SelectedPath().c_str(), previous.c_str()) != 0) {
        folder_ = previous;
        FillFiles(folder_);
    }
    lists_.UpdateButtons();
}

void DiskChooser::FillFiles() { FillFiles(tree_.SelectedPath()); }

void DiskChooser::FillFiles(const std::string& folder) {
    folder_ = folder;
    SendMessageA(lists_.files(), LB_RESETCONTENT, 0, 0);
    files_.clear();
    shownFile_ = -1;
    thumbnail_.clear();
    if (!folder_.empty()) {
        for (const std::string& pattern : patterns_) {
            WIN32_FIND_DATAA found;
            pv::UniqueFind search(FindFirstFileA(InFolder(folder_, pattern).c_str(), &found));
            for (bool more = search.valid(); more && files_.size() < size_t(kFileLimit); more = FindNextFileA(search.get(), &found)) {
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                std::string path = InFolder(folder_, found.cFileName);
                if (std::find(files_.begin(), files_.end(), path) != files_.end()) continue;
                if (SendMessageA(lists_.files(), LB_ADDSTRING, 0, LPARAM(ShownName(found.cFileName, showFileExt_).c_str())) < 0)
                    continue;
                files_.push_back(path);
            }
        }
    }
    InvalidateRect(GetDlgItem(window_, IDC_CHOOSER_THUMBNAIL), nullptr, FALSE);
    lists_.UpdateButtons();
}

void DiskChooser::AddSelected() {
    for (int item : lists_.SelectedFiles()) lists_.AddTransfer(files_[size_t(item)], files_[size_t(item)]);
}

void DiskChooser::OnFileSelection() {
    int item = int(SendMessageA(lists_.files(), LB_GETCARETINDEX, 0, 0));
    bool selected = item >= 0 && size_t(item) < files_.size() && SendMessageA(lists_.files(), LB_GETSEL, WPARAM(item), 0) > 0;
    if (lists_.showThumbnail() && selected && item != shownFile_) {
        WaitCursor hourglass;
        PictureReading reading;
        uint32_t size = 0;
        shownFile_ = item;
        thumbnail_ = ReadDiskPicture(files_[size_t(item)], &reading, &size) == 0 ? std::move(reading.thumbnail)
                                                                                 : std::vector<BYTE>{};
    }
    InvalidateRect(GetDlgItem(window_, IDC_CHOOSER_THUMBNAIL), nullptr, FALSE);
}

}  // namespace acquire

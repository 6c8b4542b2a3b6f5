// The "Get Disk Pictures" dialog (151): the folder tree, the JPEG and FlashPix files of the folder
// selected, a transfer list of full paths built from them, and on request the thumbnail of the
// file selected.
#pragma once

#include "ChooserLists.h"
#include "FolderTree.h"

#include <windows.h>

#include <string>
#include <vector>

namespace acquire {

class DiskChooser {
public:
    // patterns: "*.JPG|*.FPX|" and the like; previousPath: the folder to open on.
    DiskChooser(const std::string& patterns, std::string previousPath, bool showFileExt);

    // IDOK, IDCANCEL, or -1 when the dialog could not be made.
    INT_PTR Run(HWND owner);
    // After IDOK: the transfer list's paths, in its order.
    const std::vector<std::string>& chosen() const { return lists_.transferValues(); }
    const std::string& folder() const { return folder_; }
    bool showThumbnail() const { return lists_.showThumbnail(); }
    bool showFileExt() const { return showFileExt_; }

    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The patterns of a "|"-separated list.
    static std::vector<std::string> SplitPatterns(const std::string& patterns);
    // The name as the file list shows it: without its extension unless asked to (a name has one
    // when its fourth character from the end is a period).
    static std::string ShownName(const std::string& name, bool showFileExt);

private:
    void OnInit();
    void AddSelected();
    // The files of the folder selected in the tree, or of the folder given.
    void FillFiles();
    void FillFiles(const std::string& folder);
    void OnFileSelection();

    std::vector<std::string> patterns_;
    std::string folder_;
    bool showFileExt_;
    HWND window_ = nullptr;
    ChooserLists lists_;
    FolderTree tree_;
    std::vector<std::string> files_;   // full paths, in the file list's order
    std::vector<BYTE> thumbnail_;
    int shownFile_ = -1;
};

}  // namespace acquire

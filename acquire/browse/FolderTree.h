// The disk chooser's folder tree: the shell's desktop at the root, My Computer and Network
// Neighborhood under it, and the folders of the file system, each enumerated through the shell
// when it is first opened. Only folders with a path in the file system, and those two, appear.
#pragma once

#include "ComPtr.h"
#include "TaskMemory.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace acquire {

class FolderTree {
public:
    void Attach(HWND tree);
    // Opens the tree down to the folder and selects it (as far down as the tree reaches).
    void Open(const std::string& path);
    // Handles the tree's notifications; true when the selection changed.
    bool OnNotify(const NMHDR& header);
    // The file system path of the selected folder; empty for one without.
    std::string SelectedPath() const;

private:
    HTREEITEM Insert(HTREEITEM parent, pv::TaskMemory<ITEMIDLIST> absolute);
    void Expand(HTREEITEM item);
    std::vector<HTREEITEM> Children(HTREEITEM item) const;
    // The child on the way to the path's folder, or null.
    HTREEITEM ChildTowards(HTREEITEM item, const std::string& path) const;
    const ITEMIDLIST* ItemList(HTREEITEM item) const;
    std::string PathOf(HTREEITEM item) const;
    bool IsSpecial(const ITEMIDLIST* list, int folder) const;

    HWND tree_ = nullptr;
    pv::ComPtr<IShellFolder> desktop_;
    std::vector<pv::TaskMemory<ITEMIDLIST>> lists_;   // the items' absolute identifier lists
    std::vector<bool> enumerated_;
    pv::TaskMemory<ITEMIDLIST> myComputer_;
    pv::TaskMemory<ITEMIDLIST> network_;
    std::string desktopDirectory_;
};

}  // namespace acquire

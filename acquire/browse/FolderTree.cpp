#include "FolderTree.h"

#include "PvresIds.h"
#include "PvresModule.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace acquire {
namespace {

// Folders enumerated under one item at most, so that no folder can fill the tree without end.
constexpr int kChildLimit = 4096;
// Levels the tree opens at most on its way to a folder.
constexpr int kDepthLimit = 64;

pv::TaskMemory<ITEMIDLIST> SpecialFolder(int folder) {
    pv::TaskMemory<ITEMIDLIST> list;
    SHGetSpecialFolderLocation(nullptr, folder, list.put());
    return list;
}

pv::TaskMemory<ITEMIDLIST> Combine(const ITEMIDLIST* parent, const ITEMIDLIST* child) {
    return pv::TaskMemory<ITEMIDLIST>(ILCombine(parent, child));
}

bool StartsWithFolder(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() < folder.size() || _strnicmp(path.c_str(), folder.c_str(), folder.size()) != 0)
        return false;
    return path.size() == folder.size() || folder.back() == '\\' || path[folder.size()] == '\\';
}

}  // namespace

void FolderTree::Attach(HWND tree) {
    tree_ = tree;
    SHGetDesktopFolder(desktop_.put());
    myComputer_ = SpecialFolder(CSIDL_DRIVES);
    network_ = SpecialFolder(CSIDL_NETWORK);
    char folder[MAX_PATH] = {};
    if (SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE)) desktopDirectory_ = folder;
    SHFILEINFOA info{};
    auto icons = HIMAGELIST(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (icons) SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(icons));
    pv::TaskMemory<ITEMIDLIST> root = SpecialFolder(CSIDL_DESKTOP);
    if (desktop_ && root) Insert(TVI_ROOT, std::move(root));
}

bool FolderTree::IsSpecial(const ITEMIDLIST* list, int folder) const {
    const ITEMIDLIST* special = folder == CSIDL_DRIVES ? myComputer_.get() : network_.get();
    return special && ILIsEqual(list, special);
}

HTREEITEM FolderTree::Insert(HTREEITEM parent, pv::TaskMemory<ITEMIDLIST> absolute) {
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<const char*>(absolute.get()), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    std::string label = info.szDisplayName;
    if (IsSpecial(absolute.get(), CSIDL_DRIVES)) label = PvresString(IDS_PV_MY_COMPUTER, "My Computer");
    if (IsSpecial(absolute.get(), CSIDL_NETWORK)) label = PvresString(IDS_PV_NETWORK, "Network Neighborhood");
    TVINSERTSTRUCTA item{};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.item.pszText = label.data();
    item.item.cChildren = 1;
    item.item.iImage = item.item.iSelectedImage = info.iIcon;
    item.item.lParam = LPARAM(lists_.size());
    lists_.push_back(std::move(absolute));
    enumerated_.push_back(false);
    return HTREEITEM(SendMessageA(tree_, TVM_INSERTITEMA, 0, LPARAM(&item)));
}

const ITEMIDLIST* FolderTree::ItemList(HTREEITEM item) const {
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!item || !SendMessageA(tree_, TVM_GETITEMA, 0, LPARAM(&data)) || size_t(data.lParam) >= lists_.size()) return nullptr;
    return lists_[size_t(data.lParam)].get();
}

std::string FolderTree::PathOf(HTREEITEM item) const {
    const ITEMIDLIST* list = ItemList(item);
    if (!list) return {};
    if (list->mkid.cb == 0) return desktopDirectory_;
    char path[MAX_PATH] = {};
    return SHGetPathFromIDListA(list, path) ? path : "";
}

void FolderTree::Expand(HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!SendMessageA(tree_, TVM_GETITEMA, 0, LPARAM(&data)) || size_t(data.lParam) >= lists_.size() ||
        enumerated_[size_t(data.lParam)])
        return;
    enumerated_[size_t(data.lParam)] = true;
    const ITEMIDLIST* parent = lists_[size_t(data.lParam)].get();
    pv::ComPtr<IShellFolder> folder;
    if (parent->mkid.cb == 0) {
        folder = desktop_;
    } else if (FAILED(desktop_->BindToObject(parent, nullptr, IID_IShellFolder, folder.putVoid()))) {
        folder = {};
    }
    pv::ComPtr<IEnumIDList> children;
    int added = 0;
    if (folder && folder->EnumObjects(nullptr, SHCONTF_FOLDERS, children.put()) == S_OK && children) {
        pv::TaskMemory<ITEMIDLIST> child;
        for (int n = 0; n < kChildLimit && children->Next(1, child.put(), nullptr) == S_OK; ++n) {
            pv::TaskMemory<ITEMIDLIST> absolute = Combine(parent, child.get());
            if (!absolute) continue;
            char path[MAX_PATH] = {};
            bool special = IsSpecial(absolute.get(), CSIDL_DRIVES) || IsSpecial(absolute.get(), CSIDL_NETWORK);
            bool directory = SHGetPathFromIDListA(absolute.get(), path) &&
                             (GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
            if (!special && !directory) continue;
            Insert(item, std::move(absolute));
            ++added;
        }
    }
    if (parent->mkid.cb != 0) SendMessageA(tree_, TVM_SORTCHILDREN, 0, LPARAM(item));
    if (added == 0) {
        TVITEMA none{};
        none.mask = TVIF_CHILDREN;
        none.hItem = item;
        SendMessageA(tree_, TVM_SETITEMA, 0, LPARAM(&none));
    }
}

std::vector<HTREEITEM> FolderTree::Children(HTREEITEM item) const {
    std::vector<HTREEITEM> children;
    auto child = HTREEITEM(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(item)));
    for (; child && children.size() < size_t(kChildLimit);
         child = HTREEITEM(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(child))))
        children.push_back(child);
    return children;
}

HTREEITEM FolderTree::ChildTowards(HTREEITEM item, const std::string& path) const {
    HTREEITEM next = nullptr;
    size_t longest = 0;
    for (HTREEITEM child : Children(item)) {
        std::string folder = PathOf(child);
        if (StartsWithFolder(path, folder) && folder.size() > longest) {
            next = child;
            longest = folder.size();
        }
    }
    if (next) return next;
    // The drives lie under My Computer.
    for (HTREEITEM child : Children(item))
        if (IsSpecial(ItemList(child), CSIDL_DRIVES)) return child;
    return nullptr;
}

void FolderTree::Open(const std::string& path) {
    auto item = HTREEITEM(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int depth = 0; item && depth < kDepthLimit; ++depth) {
        if (_stricmp(PathOf(item).c_str(), path.c_str()) == 0) break;
        Expand(item);
        HTREEITEM next = ChildTowards(item, path);
        if (!next) break;
        SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, LPARAM(item));
        item = next;
    }
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, LPARAM(item));
    SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, LPARAM(item));
}

bool FolderTree::OnNotify(const NMHDR& header) {
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        if (change.action & TVE_EXPAND) Expand(change.itemNew.hItem);
        return false;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        return true;
    }
    return false;
}

std::string FolderTree::SelectedPath() const {
    return PathOf(HTREEITEM(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

}  // namespace acquire

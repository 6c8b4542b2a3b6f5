// What the transfer tests share: folder objects and items made as the shell makes them, the
// temporary area, and reading the blocks that data objects hand out.
#pragma once

#include "MounterNameSpaceFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

namespace transfertest {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using Owned = std::unique_ptr<T, Releaser>;

struct FolderReleaser {
    void operator()(CMounterNameSpaceFolder* folder) const { folder->Release(); }
};
using FolderPtr = std::unique_ptr<CMounterNameSpaceFolder, FolderReleaser>;

struct ItemFreer {
    void operator()(ITEMIDLIST* pidl) const { itemid::Free(pidl); }
};
using Item = std::unique_ptr<ITEMIDLIST, ItemFreer>;

struct GlobalFreer {
    void operator()(void* block) const { GlobalFree(block); }
};
using Global = std::unique_ptr<void, GlobalFreer>;

// The memory-card folder, initialised with the card's item as the shell does.
FolderPtr MakeCardFolder();
// A one-item list of the card folder.
Item MakeItem(const std::string& name, DWORD type, DWORD size);

// The temporary area's path, ending in "\".
std::string TempAreaPath();
// The names of the files (not directories) directly in a directory, sorted.
std::vector<std::string> FilesIn(const std::string& directory);
bool Exists(const std::string& path);
void WriteLocalFile(const std::string& path, const std::string& bytes);

// The paths of a CF_HDROP block, as the shell's DragQueryFile reads them.
std::vector<std::string> DroppedPaths(HGLOBAL block);
// The whole of a global block.
std::vector<BYTE> GlobalBytes(HGLOBAL block);

// A request of the format for global memory.
FORMATETC GlobalFormat(CLIPFORMAT format);

}  // namespace transfertest

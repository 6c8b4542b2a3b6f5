// What the transfer tests share: folder objects and items made as the shell makes them, the
// temporary area, and reading the blocks that data objects hand out.
#pragma once

#include "ComPtr.h"
#include "GlobalMemory.h"
#include "MounterNameSpaceFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace transfertest {

// Our own COM objects and folders, items of the shell allocator and global blocks, each released
// with its scope.
template <typename T>
using Owned = pv::ComPtr<T>;
using FolderPtr = pv::ComPtr<CMounterNameSpaceFolder>;
using Item = itemid::OwnedList;
using Global = pv::GlobalBlock;

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

// The clipboard formats of the Mounter's data objects, registered once per process, and the blocks
// they carry: the shell's DROPFILES list of CF_HDROP and its "Shell IDList Array" (CIDA).
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace dragformat {

CLIPFORMAT ShellIdList();   // "Shell IDList Array"
CLIPFORMAT InDragLoop();    // "InShellDragLoop"
CLIPFORMAT FileName();      // "FileName"
CLIPFORMAT FileNameW();     // "FileNameW"

// A DROPFILES block: the 20-byte header, each path ended by a zero, and a final empty path, in 8-bit
// or wide characters. It has room for slots paths of MAX_PATH characters (more when the paths need
// it), as the shell sizes these lists.
std::vector<BYTE> MakeFileList(const std::vector<std::string>& paths, size_t slots, bool wide);

// A CIDA block: the count of items, count + 1 offsets, the folder's absolute identifier list, then
// each item's identifier list relative to that folder.
std::vector<BYTE> MakeIdListArray(LPCITEMIDLIST folder, const std::vector<LPCITEMIDLIST>& items);

// A path of the ANSI code page in wide characters.
std::wstring Widen(const std::string& text);

// A zero-filled movable global block holding bytes; null when it cannot be allocated.
HGLOBAL CopyToGlobal(const std::vector<BYTE>& bytes);

}  // namespace dragformat

// The shell item identifier of every Mounter item, and how identifiers are made from what the camera
// reports. All numbers are little-endian; one item is name length + 23 bytes.
#pragma once

#include "UniqueResource.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

enum _MntFileType : DWORD {
    MntCamera = 0,
    MntCameraMemory = 1,
    MntMemoryCard = 2,
    MntAlbum = 3,
    MntPictureFile = 4,
    MntOtherFile = 5,
};

#pragma pack(push, 1)
struct MounterItemId {
    USHORT cb;            // byte length of this item
    FILETIME time;        // local time of the picture or file
    DWORD attributes;     // FAT attribute byte; 17 for the two memories
    DWORD size;           // bytes; 0 for memories
    DWORD type;           // _MntFileType
    char name[1];         // zero-terminated, at most 260 characters
};
#pragma pack(pop)

constexpr size_t kItemIdFixedSize = 22;   // everything before the name
constexpr size_t kMaxItemName = 260;
constexpr DWORD kMemoryAttributes = 17;   // read-only and directory

namespace itemid {

// The item as a MounterItemId, or null when it is too short to be one of ours.
const MounterItemId* FromIdList(LPCITEMIDLIST pidl);
// The type of the item, or kNoType for an item that is not ours (the camera's own junction item).
constexpr DWORD kNoType = 0xFFFFFFFF;
DWORD TypeOf(LPCITEMIDLIST pidl);
// The name of the item ("" for an item that is not ours).
std::string NameOf(LPCITEMIDLIST pidl);

// A one-item list (item and terminator) made with the shell allocator; null when that fails.
LPITEMIDLIST Make(const std::string& name, DWORD type, DWORD attributes, DWORD size,
                  const FILETIME& time);
// The item of a memory ("MEMORY" type 1 or "PCCARD" type 2) stamped with the current local time.
LPITEMIDLIST MakeMemory(DWORD type);
// The item of a 20-byte camera directory entry.
LPITEMIDLIST FromDirectoryEntry(const BYTE* entry);

// The name of a 20-byte camera directory entry: name and extension without their blank padding.
std::string EntryName(const BYTE* entry);
// "." or ".." followed by blanks.
bool IsDotEntry(const BYTE* entry);
// Type 3 for directories, 4 for ".ODC", ".FPX" and ".JPG" names in any case, else 5.
DWORD TypeOfEntry(BYTE attributes, const std::string& name);
// DOS date and time as a FILETIME without a time-zone change; date 0 gives the current local time.
FILETIME EntryTime(WORD dosDate, WORD dosTime);
DWORD EntrySize(const BYTE* entry);

// Identifier-list helpers over the shell allocator.
UINT ListSize(LPCITEMIDLIST pidl);          // bytes, terminator included
LPITEMIDLIST Clone(LPCITEMIDLIST pidl);     // whole list
LPITEMIDLIST Append(LPCITEMIDLIST first, LPCITEMIDLIST second);
LPCITEMIDLIST Next(LPCITEMIDLIST pidl);     // the following item (may be the terminator)
LPCITEMIDLIST Last(LPCITEMIDLIST pidl);     // the last item (the list itself when empty)
int Count(LPCITEMIDLIST pidl);
void Free(LPITEMIDLIST pidl);
// A one-item list of the first item of pidl.
LPITEMIDLIST CloneFirst(LPCITEMIDLIST pidl);

// An identifier list of the shell allocator, freed with it when it goes.
struct ListTraits : pv::NullHandle<LPITEMIDLIST> {
    static void close(LPITEMIDLIST pidl) { Free(pidl); }
};
using OwnedList = pv::UniqueResource<ListTraits>;

}  // namespace itemid

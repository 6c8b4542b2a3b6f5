#include "MounterItemId.h"

#include "MounterGlobals.h"

#include <cstring>

namespace itemid {
namespace {

WORD BigEndianWord(const BYTE* p) { return static_cast<WORD>((p[0] << 8) | p[1]); }

std::string TrimBlanks(const char* text, size_t length) {
    while (length > 0 && text[length - 1] == ' ') --length;
    return std::string(text, length);
}

bool EndsWithNoCase(const std::string& name, const char* suffix) {
    size_t n = std::strlen(suffix);
    return name.size() >= n && lstrcmpiA(name.c_str() + name.size() - n, suffix) == 0;
}

FILETIME LocalTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME time;
    SystemTimeToFileTime(&now, &time);
    return time;
}

}  // namespace

const MounterItemId* FromIdList(LPCITEMIDLIST pidl) {
    if (!pidl || pidl->mkid.cb < kItemIdFixedSize + 1) return nullptr;
    return reinterpret_cast<const MounterItemId*>(pidl);
}

DWORD TypeOf(LPCITEMIDLIST pidl) {
    const MounterItemId* item = FromIdList(pidl);
    return item ? item->type : kNoType;
}

std::string NameOf(LPCITEMIDLIST pidl) {
    const MounterItemId* item = FromIdList(pidl);
    if (!item) return {};
    size_t room = item->cb - kItemIdFixedSize;
    return std::string(item->name, strnlen(item->name, room));
}

LPITEMIDLIST Make(const std::string& name, DWORD type, DWORD attributes, DWORD size,
                  const FILETIME& time) {
    IMalloc* allocator = mounter::ShellAllocator();
    if (!allocator) return nullptr;
    size_t nameLength = name.size() > kMaxItemName ? kMaxItemName : name.size();
    size_t itemSize = kItemIdFixedSize + nameLength + 1;
    auto* item = static_cast<MounterItemId*>(allocator->Alloc(itemSize + sizeof(USHORT)));
    if (!item) return nullptr;
    item->cb = static_cast<USHORT>(itemSize);
    item->time = time;
    item->attributes = attributes;
    item->size = size;
    item->type = type;
    std::memcpy(item->name, name.data(), nameLength);
    item->name[nameLength] = '\0';
    *reinterpret_cast<USHORT*>(reinterpret_cast<BYTE*>(item) + itemSize) = 0;
    return reinterpret_cast<LPITEMIDLIST>(item);
}

LPITEMIDLIST MakeMemory(DWORD type) {
    return Make(type == MntCameraMemory ? "MEMORY" : "PCCARD", type, kMemoryAttributes, 0, LocalTimeNow());
}

std::string EntryName(const BYTE* entry) {
    std::string name = TrimBlanks(reinterpret_cast<const char*>(entry), 8);
    std::string extension = TrimBlanks(reinterpret_cast<const char*>(entry) + 8, 3);
    if (!extension.empty()) name += "." + extension;
    return name;
}

bool IsDotEntry(const BYTE* entry) {
    std::string name = TrimBlanks(reinterpret_cast<const char*>(entry), 11);
    return name == "." || name == "..";
}

DWORD TypeOfEntry(BYTE attributes, const std::string& name) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return MntAlbum;
    if (EndsWithNoCase(name, ".ODC") || EndsWithNoCase(name, ".FPX") || EndsWithNoCase(name, ".JPG"))
        return MntPictureFile;
    return MntOtherFile;
}

FILETIME EntryTime(WORD dosDate, WORD dosTime) {
    if (dosDate == 0) return LocalTimeNow();
    FILETIME time = {};
    DosDateTimeToFileTime(dosDate, dosTime, &time);
    return time;
}

DWORD EntrySize(const BYTE* entry) {
    return (DWORD(entry[16]) << 24) | (DWORD(entry[17]) << 16) | (DWORD(entry[18]) << 8) | entry[19];
}

LPITEMIDLIST FromDirectoryEntry(const BYTE* entry) {
    std::string name = EntryName(entry);
    BYTE attributes = entry[11];
    FILETIME time = EntryTime(BigEndianWord(entry + 14), BigEndianWord(entry + 12));
    return Make(name, TypeOfEntry(attributes, name), attributes, EntrySize(entry), time);
}

UINT ListSize(LPCITEMIDLIST pidl) {
    if (!pidl) return 0;
    UINT size = sizeof(USHORT);
    for (LPCITEMIDLIST item = pidl; item->mkid.cb; item = Next(item)) size += item->mkid.cb;
    return size;
}

LPITEMIDLIST Clone(LPCITEMIDLIST pidl) {
    IMalloc* allocator = mounter::ShellAllocator();
    UINT size = ListSize(pidl);
    if (!allocator || size == 0) return nullptr;
    auto copy = static_cast<LPITEMIDLIST>(allocator->Alloc(size));
    if (copy) std::memcpy(copy, pidl, size);
    return copy;
}

LPITEMIDLIST Append(LPCITEMIDLIST first, LPCITEMIDLIST second) {
    IMalloc* allocator = mounter::ShellAllocator();
    UINT firstSize = first ? ListSize(first) - sizeof(USHORT) : 0;
    UINT secondSize = second ? ListSize(second) : sizeof(USHORT);
    if (!allocator) return nullptr;
    auto list = static_cast<BYTE*>(allocator->Alloc(firstSize + secondSize));
    if (!list) return nullptr;
    if (firstSize) std::memcpy(list, first, firstSize);
    if (second) std::memcpy(list + firstSize, second, secondSize);
    else *reinterpret_cast<USHORT*>(list + firstSize) = 0;
    return reinterpret_cast<LPITEMIDLIST>(list);
}

LPITEMIDLIST CloneFirst(LPCITEMIDLIST pidl) {
    IMalloc* allocator = mounter::ShellAllocator();
    if (!allocator || !pidl || !pidl->mkid.cb) return nullptr;
    UINT size = pidl->mkid.cb;
    auto copy = static_cast<BYTE*>(allocator->Alloc(size + sizeof(USHORT)));
    if (!copy) return nullptr;
    std::memcpy(copy, pidl, size);
    *reinterpret_cast<USHORT*>(copy + size) = 0;
    return reinterpret_cast<LPITEMIDLIST>(copy);
}

LPCITEMIDLIST Next(LPCITEMIDLIST pidl) {
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(pidl) + pidl->mkid.cb);
}

LPCITEMIDLIST Last(LPCITEMIDLIST pidl) {
    LPCITEMIDLIST last = pidl;
    for (LPCITEMIDLIST item = pidl; item && item->mkid.cb; item = Next(item)) last = item;
    return last;
}

int Count(LPCITEMIDLIST pidl) {
    int count = 0;
    for (LPCITEMIDLIST item = pidl; item && item->mkid.cb; item = Next(item)) ++count;
    return count;
}

void Free(LPITEMIDLIST pidl) {
    IMalloc* allocator = mounter::ShellAllocator();
    if (pidl && allocator) allocator->Free(pidl);
}

}  // namespace itemid

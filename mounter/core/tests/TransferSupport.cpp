#include "TransferSupport.h"

#include "Memory.h"
#include "MounterFixture.h"
#include "TempArea.h"
#include "UniqueHandle.h"

#include <shellapi.h>

#include <algorithm>
#include <fstream>

namespace transfertest {

FolderPtr MakeCardFolder() {
    auto folder = FolderPtr::attach(CMemory::CreateObject());
    Item card(itemid::MakeMemory(MntMemoryCard));
    EXPECT_EQ(S_OK, folder->PersistInitialize(card.get()));
    return folder;
}

Item MakeItem(const std::string& name, DWORD type, DWORD size) {
    FILETIME time = {};
    return Item(itemid::Make(name, type, type == MntAlbum ? FILE_ATTRIBUTE_DIRECTORY : 0, size, time));
}

std::string TempAreaPath() {
    char area[MAX_PATH] = {};
    GetTempAreaPath(sizeof area, area);
    return area;
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    pv::UniqueFind search(FindFirstFileA((directory + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteLocalFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<std::string> DroppedPaths(HGLOBAL block) {
    std::vector<std::string> paths;
    auto drop = static_cast<HDROP>(block);
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = {};
        DragQueryFileA(drop, i, path, sizeof path);
        paths.push_back(path);
    }
    return paths;
}

std::vector<BYTE> GlobalBytes(HGLOBAL block) {
    pv::LockedGlobal data(block);
    const BYTE* bytes = data.as<BYTE>();
    return bytes ? std::vector<BYTE>(bytes, bytes + data.size()) : std::vector<BYTE>();
}

FORMATETC GlobalFormat(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace transfertest

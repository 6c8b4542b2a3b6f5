#include "TempArea.h"

#include "UniqueHandle.h"

#include <string>

namespace {

constexpr char kAreaName[] = "PV360.TMP\\";

void EmptyDirectory(const std::string& directory) {
    WIN32_FIND_DATAA found;
    pv::UniqueFind search(FindFirstFileA((directory + "*.*").c_str(), &found));
    if (!search) return;
    do {
        std::string path = directory + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (found.cFileName[0] == '.') continue;
            EmptyDirectory(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search.get(), &found));
}

}  // namespace

UINT GetTempAreaPath(UINT size, char* buffer) {
    if (buffer && size) buffer[0] = '\0';
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) return 0;
    std::string path = std::string(temp) + kAreaName;
    if (!buffer || path.size() + 1 > size) return static_cast<UINT>(path.size() + 1);
    CopyMemory(buffer, path.c_str(), path.size() + 1);
    CreateDirectoryA(path.c_str(), nullptr);
    return static_cast<UINT>(path.size());
}

void EmptyTempArea() {
    char area[MAX_PATH];
    UINT length = GetTempAreaPath(sizeof area, area);
    if (length == 0 || length > MAX_PATH) return;
    EmptyDirectory(area);
}

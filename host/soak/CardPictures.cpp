#include "CardPictures.h"

#include "UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace soak {
namespace {

constexpr const char* kPictureFolder = "\\PCCARD\\DCIMAGES";

bool IsShortName(const char* name) {
    const char* dot = std::strrchr(name, '.');
    size_t base = dot ? static_cast<size_t>(dot - name) : std::strlen(name);
    return base >= 1 && base <= 8 && (!dot || std::strlen(dot + 1) <= 3) && !std::strchr(name, ' ');
}

bool IsPicture(const char* name) {
    const char* dot = std::strrchr(name, '.');
    return dot && (_stricmp(dot, ".JPG") == 0 || _stricmp(dot, ".FPX") == 0);
}

std::vector<unsigned char> FileBytes(const std::string& path) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) throw std::runtime_error("cannot open " + path);
    std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size()))
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

// The pictures of one folder; its album folders too when albums is set.
void Collect(const std::string& cardDir, const std::string& cameraFolder, bool albums,
             std::vector<CardPicture>& out) {
    WIN32_FIND_DATAA found;
    pv::UniqueFind find(FindFirstFileA((cardDir + cameraFolder + "\\*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &found)) {
        const char* name = found.cFileName;
        if (name[0] == '.' || !IsShortName(name)) continue;
        const std::string cameraPath = cameraFolder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (albums) Collect(cardDir, cameraPath, false, out);
        } else if (IsPicture(name)) {
            out.push_back({cameraPath, FileBytes(cardDir + cameraPath)});
        }
    }
}

}  // namespace

std::vector<CardPicture> ReadCardPictures(const std::string& cardDir) {
    std::vector<CardPicture> pictures;
    Collect(cardDir, kPictureFolder, true, pictures);
    // The folder's own order is the file system's; a seeded run needs the same list every time.
    std::sort(pictures.begin(), pictures.end(),
              [](const CardPicture& a, const CardPicture& b) { return a.cameraPath < b.cameraPath; });
    if (pictures.empty()) throw std::runtime_error("no pictures on the card in " + cardDir);
    return pictures;
}

}  // namespace soak

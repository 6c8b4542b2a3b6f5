#include "PictureTable.h"

#include "LibraryPtr.h"
#include "pvhost.h"

#include <algorithm>

namespace {

constexpr char kPictureFolder[] = "\\PCCARD\\DCIMAGES";
constexpr BYTE kDirectoryAttribute = 0x10;

using CameraBuffer = pv::LibraryPtr<BYTE, FreeCameraBuffer>;

std::string Trimmed(const BYTE* text, size_t size) {
    std::string s(reinterpret_cast<const char*>(text), size);
    s.erase(std::find_if(s.rbegin(), s.rend(), [](char c) { return c != ' ' && c != '\0'; }).base(), s.end());
    return s;
}

DWORD BigEndian32(const BYTE* p) { return DWORD(p[0]) << 24 | DWORD(p[1]) << 16 | DWORD(p[2]) << 8 | p[3]; }

struct Listing {
    CameraBuffer entries;
    DWORD count = 0;
    const BYTE* entry(DWORD i) const { return entries.get() + i * kDirectoryEntrySize; }
};

DWORD List(CSerialCamera* camera, const std::string& path, Listing* listing) {
    return CameraListDirectory(camera, path.c_str(), listing->entries.put(), &listing->count);
}

void AddPictures(const Listing& listing, const std::string& folder, std::vector<CameraPicture>* pictures) {
    for (DWORD i = 0; i < listing.count; ++i) {
        const BYTE* entry = listing.entry(i);
        std::string name = EntryName(entry);
        if ((entry[11] & kDirectoryAttribute) || !IsPictureName(name)) continue;
        pictures->push_back({name, folder + "\\" + name, BigEndian32(entry + 16)});
    }
}

}  // namespace

std::string EntryName(const BYTE* entry) {
    std::string base = Trimmed(entry, 8), extension = Trimmed(entry + 8, 3);
    return extension.empty() ? base : base + "." + extension;
}

bool IsPictureName(const std::string& name) {
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = char(toupper(static_cast<unsigned char>(c)));
    return extension == ".JPG" || extension == ".FPX";
}

DWORD ReadPictureTable(CSerialCamera* camera, std::vector<CameraPicture>* pictures) {
    pictures->clear();
    DWORD result = CameraBeginFileAccess(camera);
    if (result != kCamOk) return result;
    Listing top;
    result = List(camera, kPictureFolder, &top);
    for (DWORD i = 0; result == kCamOk && i < top.count; ++i) {
        const BYTE* entry = top.entry(i);
        std::string name = EntryName(entry);
        if (!(entry[11] & kDirectoryAttribute) || name == "." || name == "..") continue;
        std::string album = std::string(kPictureFolder) + "\\" + name;
        Listing inside;
        result = List(camera, album, &inside);
        if (result == kCamOk) AddPictures(inside, album, pictures);
    }
    if (result == kCamOk) AddPictures(top, kPictureFolder, pictures);
    DWORD ended = CameraEndFileAccess(camera);
    return result != kCamOk ? result : ended;
}

#include "CardListing.h"

#include "pvhost.h"

#include <cstdio>

namespace pvcam {

bool Report(const char* what, DWORD result) {
    if (result != 0) std::printf("%s failed: camera result %lu\n", what, static_cast<unsigned long>(result));
    return result == 0;
}

bool List(CSerialCamera* camera, const std::string& path, std::vector<Entry>& out) {
    BYTE* entries = nullptr;
    DWORD count = 0;
    DWORD r = CameraListDirectory(camera, path.c_str(), &entries, &count);
    for (DWORD i = 0; r == 0 && i < count; ++i) {
        const BYTE* e = entries + i * kDirectoryEntrySize;
        std::string base(reinterpret_cast<const char*>(e), 8), ext(reinterpret_cast<const char*>(e + 8), 3);
        base.erase(base.find_last_not_of(' ') + 1);
        ext.erase(ext.find_last_not_of(' ') + 1);
        Entry entry;
        entry.name = ext.empty() ? base : base + "." + ext;
        entry.attributes = e[11];
        entry.dosTime = static_cast<WORD>((e[12] << 8) | e[13]);
        entry.dosDate = static_cast<WORD>((e[14] << 8) | e[15]);
        entry.size = (DWORD(e[16]) << 24) | (DWORD(e[17]) << 16) | (DWORD(e[18]) << 8) | e[19];
        out.push_back(entry);
    }
    FreeCameraBuffer(entries);
    return Report("listing", r);
}

bool IsPicture(const std::string& name) {
    auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    return ext == "JPG" || ext == "FPX" || ext == "ODC";
}

}  // namespace pvcam

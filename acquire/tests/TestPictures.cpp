#include "TestPictures.h"

#include "UniqueHandle.h"

#include <cstdlib>
#include <stdexcept>

namespace retrievaltest {
namespace {

void Put16(Bytes& b, unsigned v) {
    b.push_back(BYTE(v >> 8));
    b.push_back(BYTE(v));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v >> 16);
    Put16(b, v & 0xFFFF);
}
void Entry(Bytes& b, unsigned tag, unsigned type, uint32_t count, uint32_t value) {
    Put16(b, tag);
    Put16(b, type);
    Put32(b, count);
    Put32(b, value);
}

}  // namespace

Bytes PlainJpeg() { return ReadFile(PV_TEST_FILES "\\PLAIN.JPG"); }

Bytes CameraJpeg(const Bytes& block, const Bytes& strip) {
    // TIFF: header 8, IFD0 (1 entry) 18, Exif IFD (1 entry) 18, block, its directory (1 entry) 18, strip.
    const uint32_t exif = 26, maker = 44, makerBytes = uint32_t(block.size()) + 18;
    const uint32_t stripAt = maker + makerBytes;
    Bytes tiff = {'M', 'M', 0, 42, 0, 0, 0, 8};
    Put16(tiff, 1);
    Entry(tiff, 34665, 4, 1, exif);
    Put32(tiff, 0);
    Put16(tiff, 1);
    Entry(tiff, 37500, 7, makerBytes, maker);
    Put32(tiff, 0);
    tiff.insert(tiff.end(), block.begin(), block.end());
    Put16(tiff, 1);
    Entry(tiff, 273, 4, 1, stripAt);
    Put32(tiff, 0);
    tiff.insert(tiff.end(), strip.begin(), strip.end());
    Bytes plain = PlainJpeg();
    Bytes file = {0xFF, 0xD8, 0xFF, 0xE1};
    Put16(file, unsigned(tiff.size() + 8));
    file.insert(file.end(), {'E', 'x', 'i', 'f', 0, 0});
    file.insert(file.end(), tiff.begin(), tiff.end());
    file.insert(file.end(), plain.begin() + 2, plain.end());
    return file;
}

Bytes Pv360Block() {
    Bytes b(48, 0);
    b[1] = 4;
    b[2] = 3;
    b[3] = 1;
    b[4] = 2;
    b[12] = 0x00, b[13] = 0x12, b[14] = 0x34, b[15] = 0x56;
    b[16] = 1;
    b[18] = 12;                                         // f/8
    b[21] = 0x35;                                       // macro
    b[28] = 0, b[29] = 0, b[30] = 0x03, b[31] = 0x20;   // 800 x 10 us: 1/125
    return b;
}

Bytes StripPattern() {
    Bytes strip;
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 96; ++x) strip.insert(strip.end(), {BYTE(x), BYTE(y), BYTE(x + y)});
    return strip;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || (!bytes.empty() && !::WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr)))
        throw std::runtime_error("cannot write " + path);
}

Bytes ReadFile(const std::string& path) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) throw std::runtime_error("cannot read " + path);
    Bytes bytes(GetFileSize(file.get(), nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr);
    return bytes;
}

std::string FreshFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    pv::UniqueFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    for (bool more = search.valid(); more; more = FindNextFileA(search.get(), &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + found.cFileName).c_str());
    return folder;
}

double MeanDifference(const Bytes& a, const Bytes& b) {
    if (a.size() != b.size() || a.empty()) return 255;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
    return sum / double(a.size());
}

Bytes ThumbnailPixel(const Bytes& thumbnail, int x, int y) {
    const BYTE* p = &thumbnail.at(size_t((71 - y) * 96 + x) * 3);
    return {p[0], p[1], p[2]};
}

}  // namespace retrievaltest

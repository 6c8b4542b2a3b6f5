#include "RetrievalTestFiles.h"

#include "GlobalMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace retrievaltest {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string JpegFolder() {
    const char* folder = std::getenv("PV_TEST_JPEGS");
    return folder && *folder ? std::string(folder) + "\\" : std::string();
}

const uint8_t* Bitmap::Pixel(int x, int y) const {
    const size_t stride = ((size_t(header.biWidth) * 24 + 31) / 32) * 4;
    return bits.data() + (size_t(header.biHeight) - 1 - size_t(y)) * stride + size_t(x) * 3;
}

bool ReadBmp(const std::string& path, Bitmap* out) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    BITMAPFILEHEADER file{};
    if (bytes.size() < sizeof file + sizeof out->header) return false;
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&out->header, bytes.data() + sizeof file, sizeof out->header);
    if (file.bfType != 0x4D42 || file.bfOffBits > bytes.size()) return false;
    out->bits.assign(bytes.begin() + file.bfOffBits, bytes.end());
    return true;
}

Bitmap ViewOf(HGLOBAL block) {
    Bitmap view;
    pv::LockedGlobal locked(block);
    if (!locked || locked.size() < sizeof view.header) return view;
    std::memcpy(&view.header, locked.data(), sizeof view.header);
    const size_t bits = std::min<size_t>(view.header.biSizeImage, locked.size() - sizeof view.header);
    view.bits.assign(locked.as<uint8_t>() + sizeof view.header, locked.as<uint8_t>() + sizeof view.header + bits);
    return view;
}

Decoded DecodeWith(PictureReader read, const std::vector<uint8_t>& data, uint32_t width, uint32_t height,
                   uint16_t rotation, acquire::DecodeProgress* progress) {
    acquire::PictureBitmap bitmap = acquire::PictureBitmap::Allocate(width, height, rotation);
    if (!bitmap) return {-1, {}};
    Decoded d{read(data.data(), data.size(), bitmap, progress), {}};
    pv::GlobalBlock block(bitmap.Finish());
    d.bitmap = ViewOf(block.get());
    return d;
}

}  // namespace retrievaltest

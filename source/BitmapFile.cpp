#include "BitmapFile.h"

#include "GlobalMemory.h"
#include "UniqueHandle.h"

#include <algorithm>

namespace source {
namespace {

// The most one write call is given.
constexpr DWORD kChunk = 0xFC00;
constexpr DWORD kFileHeaderBytes = 14;
constexpr DWORD kHeadersBytes = 54;

bool WriteAll(HANDLE file, const BYTE* data, DWORD size) {
    while (size) {
        const DWORD chunk = std::min(size, kChunk);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) return false;
        data += chunk;
        size -= chunk;
    }
    return true;
}

}  // namespace

Code WriteBitmapFile(HGLOBAL bitmap, const char* fileName) {
    pv::LockedGlobal locked(bitmap);
    if (!locked) return kNoMemory;
    if (locked.size() < sizeof(BITMAPINFOHEADER)) return kOperationError;
    const auto* header = locked.as<BITMAPINFOHEADER>();
    const uint64_t tableBytes = uint64_t(header->biClrUsed) * 4;
    const uint64_t fileSize = uint64_t(header->biSizeImage) + tableBytes + kHeadersBytes;
    // The block must hold what the header says it holds.
    if (header->biSize != sizeof(BITMAPINFOHEADER) || fileSize > 0xFFFFFFFFu || fileSize - kFileHeaderBytes > locked.size())
        return kOperationError;
    pv::UniqueHandle file(CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return kOperationError;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;   // "BM"
    fileHeader.bfSize = DWORD(fileSize);
    fileHeader.bfOffBits = DWORD(tableBytes + kHeadersBytes);
    static_assert(sizeof fileHeader == kFileHeaderBytes);
    const bool written = WriteAll(file.get(), reinterpret_cast<const BYTE*>(&fileHeader), sizeof fileHeader) &&
                         WriteAll(file.get(), locked.as<BYTE>(), DWORD(fileSize - kFileHeaderBytes));
    return written ? kXferDone : kOperationError;
}

}  // namespace source

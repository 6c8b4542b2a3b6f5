#include "DiskPicture.h"

#include "ErrorDisplay.h"
#include "FlashPixInformation.h"
#include "JpegInformation.h"
#include "PictureFormat.h"
#include "RetrievalCodes.h"
#include "SourceEntry.h"
#include "UniqueHandle.h"

#include <new>

namespace acquire {

bool ReadWholeFile(const std::string& path, std::vector<BYTE>* bytes) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes->resize(size_t(size.QuadPart));
    DWORD read = 0;
    return bytes->empty() || (ReadFile(file.get(), bytes->data(), DWORD(bytes->size()), &read, nullptr) &&
                              read == bytes->size());
}

int ReadDiskPicture(const std::string& path, PictureReading* reading, uint32_t* byteCount) {
    int format = FormatOfFileName(path);
    if (format < 0) return format;
    std::vector<BYTE> bytes;
    try {
        if (!ReadWholeFile(path, &bytes)) return kErrUnreadableFile;
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    *byteCount = uint32_t(bytes.size());
    int result = format == kFormatJpeg ? ReadJpegInformation(bytes.data(), bytes.size(), reading)
                                       : ReadFlashPixInformation(bytes.data(), bytes.size(), reading);
    return result == 0 ? 0 : kErrUnreadableFile;
}

}  // namespace acquire

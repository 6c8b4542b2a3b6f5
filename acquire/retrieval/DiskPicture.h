// A picture file on disk, read whole (opened read-only) and described by the information reader
// of its format.
#pragma once

#include "PictureReading.h"

#include <string>

namespace acquire {

// The whole file; false when it cannot be opened or read (or is larger than the address space).
bool ReadWholeFile(const std::string& path, std::vector<BYTE>* bytes);

// 0, kErrUnknownFileType for a name of neither format, kErrUnreadableFile for a file that cannot be
// read or decoded, kErrNoMemory. The size read goes to byteCount.
int ReadDiskPicture(const std::string& path, PictureReading* reading, uint32_t* byteCount);

}  // namespace acquire

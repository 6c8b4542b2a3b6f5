// The acquire manager's source list: what the choosers picked for retrieval. A camera picture is
// written "0m=%d,p=%d,f=%s" (memory number, 1-based picture number, file name); anything that
// does not start with the character 0 is a disk file's path.
#pragma once

#include <cstdint>
#include <string>

namespace acquire {

struct SourceEntry {
    bool camera = false;
    int32_t memory = 1;       // 1 for a disk file
    int32_t picture = 0;      // 1-based in the camera; for a disk file its place in the source list
    std::string name;         // the camera's file name or the file's path, at most 259 characters
    int16_t request[2] = {0, 1};   // the last two values of the camera library's request
};

std::string CameraSourceText(int32_t memory, int32_t picture, const std::string& name);
// position: the entry's place in the source list, 1-based. False for a camera entry that is not
// written as a camera entry is.
bool ParseSourceEntry(const std::string& text, int32_t position, SourceEntry* entry);

}  // namespace acquire

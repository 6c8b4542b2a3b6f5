#include "SourceEntry.h"

#include <windows.h>

#include <cstdio>

namespace acquire {
namespace {

constexpr size_t kNameLimit = 259;

}  // namespace

std::string CameraSourceText(int32_t memory, int32_t picture, const std::string& name) {
    char text[300];
    snprintf(text, sizeof text, "0m=%d,p=%d,f=%s", int(memory), int(picture), name.substr(0, kNameLimit).c_str());
    return text;
}

bool ParseSourceEntry(const std::string& text, int32_t position, SourceEntry* entry) {
    *entry = {};
    if (text.empty() || text[0] != '0') {
        entry->picture = position;
        entry->name = text.substr(0, kNameLimit);
        return true;
    }
    int memory = 0, picture = 0, consumed = 0;
    if (sscanf(text.c_str(), "0m=%d,p=%d,f=%n", &memory, &picture, &consumed) != 2 || consumed == 0 || picture < 1)
        return false;
    entry->camera = true;
    entry->memory = memory;
    entry->picture = picture;
    entry->name = text.substr(size_t(consumed), kNameLimit);
    return true;
}

}  // namespace acquire

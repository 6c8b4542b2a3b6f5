// Strings of a library's own string table.
#pragma once

#include <windows.h>

#include <string>

namespace pvtext {

// The string, or an empty one when it cannot be loaded.
inline std::string LoadModuleString(HINSTANCE module, UINT id) {
    char text[256];
    int n = LoadStringA(module, id, text, sizeof text);
    return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace pvtext

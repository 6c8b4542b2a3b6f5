#include "LocalNames.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr char kRefused[] = "\\/:*?\"<>|";
constexpr const char* kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};

bool RefusedCharacter(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::strchr(kRefused, c) != nullptr;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The part before the first dot (and any blanks before it) names a device whatever follows.
bool IsDeviceName(const std::string& name) {
    std::string base = Upper(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* device : kDevices)
        if (base == device) return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

bool EndsBadly(const std::string& name) { return !name.empty() && (name.back() == '.' || name.back() == ' '); }

}  // namespace

bool IsUsableLocalName(const std::string& name) {
    if (name.empty() || name.size() >= MAX_PATH || EndsBadly(name) || IsDeviceName(name)) return false;
    return std::none_of(name.begin(), name.end(), RefusedCharacter);
}

std::string SafeLocalName(const std::string& name) {
    std::string safe = name.substr(0, MAX_PATH - 2);
    std::replace_if(safe.begin(), safe.end(), RefusedCharacter, '_');
    while (EndsBadly(safe)) safe.pop_back();
    if (safe.empty()) return "_";
    return IsDeviceName(safe) ? "_" + safe : safe;
}

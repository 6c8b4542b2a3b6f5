// The acquire module's resources, always loaded from pvres's module.
#pragma once

#include <windows.h>

#include <string>

namespace acquire {

HINSTANCE PvresInstance();
// The string, or fallback when pvres does not have it.
std::string PvresString(UINT id, const char* fallback = "");
// A resource of pvres as bytes; size 0 when it is missing.
struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};
ResourceBytes PvresResource(UINT id, UINT type);

}  // namespace acquire

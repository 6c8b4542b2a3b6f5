// Process-wide state of the link library: its module (for the string table) and the
// library-wide mutex that guards creation and deletion of port objects.
#pragma once

#include <windows.h>

#include <string>

namespace pvlink {

HINSTANCE LinkInstance();
HANDLE LibraryMutex();
// A string of the library's table, empty when it cannot be loaded.
std::string LoadLinkString(UINT id);

}  // namespace pvlink

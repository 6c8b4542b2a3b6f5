// What a loaded module exports, read from its export directory.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace pvtest {

struct ExportTable {
    std::set<WORD> ordinals;         // ordinals with an address
    DWORD names = 0;                 // exports reachable by name
    std::set<std::string> nameList;  // those names
};

ExportTable ReadExportTable(HMODULE module);

}  // namespace pvtest

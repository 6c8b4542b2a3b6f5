// What a loaded module exports, read from its export directory.
#pragma once

#include <windows.h>

#include <set>

namespace pvtest {

struct ExportTable {
    std::set<WORD> ordinals;   // ordinals with an address
    DWORD names = 0;           // exports reachable by name
};

ExportTable ReadExportTable(HMODULE module);

}  // namespace pvtest

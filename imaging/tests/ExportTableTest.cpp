// pvacquire.dll exports what its .def file declares for the image toolkit, under the same names
// on both architectures, and nothing else.
#include "NIFToolkit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

// Every name the .def file declares (the toolkit's block and the acquire calls' block).
std::set<std::string> DeclaredNames() {
    std::ifstream def(PV_ACQUIRE_DEF);
    std::set<std::string> names;
    bool inBlock = false;
    for (std::string line; std::getline(def, line);) {
        if (line.rfind("EXPORTS", 0) == 0) inBlock = true;
        std::istringstream words(line);
        std::string name;
        if (inBlock && words >> name && name != "EXPORTS" && name[0] != ';') names.insert(name);
    }
    return names;
}

std::set<std::string> ExportedNames(HMODULE module) {
    const auto* base = reinterpret_cast<const uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> out;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) out.insert(reinterpret_cast<const char*>(base + names[i]));
    return out;
}

}  // namespace

TEST(ExportTable, TheLibraryExportsExactlyWhatItsDefinitionFileDeclares) {
    const std::set<std::string> declared = DeclaredNames();
    ASSERT_GT(declared.size(), 100u) << PV_ACQUIRE_DEF;
    HMODULE module = GetModuleHandleW(L"pvacquire.dll");
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(declared, ExportedNames(module));
    for (const char* name : {"NIFStartToolkit", "NIFOpenImageFromMemory", "NIFReadRegion", "NIFCloseImage",
                             "_Z10NIFReleasePw", "_Z10NIFReleaseP18NIFWideStringArray", "_Z10NIFReleasePf",
                             "_Z10NIFReleaseP16NIFExtensionList", "_ZN14NIFExtProperty7ReleaseEv"})
        EXPECT_EQ(1u, declared.count(name)) << name;
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(module, "NIFStartToolkit")));
}

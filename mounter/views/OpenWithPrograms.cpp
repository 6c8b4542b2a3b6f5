#include "OpenWithPrograms.h"

#include "MounterMessages.h"
#include "RegKey.h"
#include "ViewResources.h"

#include <cctype>

namespace {

constexpr char kProgramEnd[] = ".EXE";
constexpr char kRunDll[] = "RUNDLL";
constexpr DWORD kKeyNameChars = 256;

std::string UpperWithoutQuotes(const std::string& text) {
    std::string plain;
    for (char c : text)
        if (c != '"') plain += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return plain;
}

// The open command of the type that a key of HKEY_CLASSES_ROOT names in its default value.
std::optional<std::string> OpenCommandOfKey(const char* keyName, const std::string& commandKey) {
    std::optional<std::string> typeName = pv::RegKey::open(HKEY_CLASSES_ROOT, keyName).string(nullptr);
    if (!typeName || typeName->empty()) return std::nullopt;
    return pv::RegKey::open(HKEY_CLASSES_ROOT, (*typeName + commandKey).c_str()).string(nullptr);
}

}  // namespace

std::optional<OpenWithProgram> ProgramOfOpenCommand(const std::string& command) {
    std::string plain = UpperWithoutQuotes(command);
    size_t end = plain.find(kProgramEnd);
    if (plain.find(kRunDll) != std::string::npos || end == std::string::npos) return std::nullopt;
    OpenWithProgram program;
    program.path = plain.substr(0, end + sizeof kProgramEnd - 1);
    size_t slash = program.path.rfind('\\', end);
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    program.name = program.path.substr(start, end - start);
    if (program.name.empty()) return std::nullopt;
    return program;
}

std::vector<OpenWithProgram> RegisteredOpenPrograms() {
    std::vector<OpenWithProgram> programs;
    std::string commandKey = mounter::LoadText(IDS_OPEN_COMMAND_KEY);
    char name[kKeyNameChars];
    for (DWORD index = 0;; ++index) {
        DWORD length = kKeyNameChars;
        LONG result = RegEnumKeyExA(HKEY_CLASSES_ROOT, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;   // no type's extension or name is that long
        if (result != ERROR_SUCCESS) break;
        std::optional<std::string> command = OpenCommandOfKey(name, commandKey);
        if (!command) continue;
        if (std::optional<OpenWithProgram> program = ProgramOfOpenCommand(*command)) programs.push_back(*program);
    }
    return programs;
}

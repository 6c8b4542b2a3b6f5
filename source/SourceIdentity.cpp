#include "SourceIdentity.h"

#include <cstring>
#include <string>
#include <vector>

namespace source {
namespace {

constexpr WORD kUsEnglish = 1033;

void LoadField(HINSTANCE module, UINT id, char (&field)[34]) {
    std::memset(field, 0, sizeof field);
    LoadStringA(module, id, field, sizeof field);
}

}  // namespace

LanguageCountry LanguageFor(WORD languageId) {
    switch (languageId) {
    case 1031: return {TWLG_GERMAN, TWCY_GERMANY};
    case 1036: return {TWLG_FRENCH, TWCY_FRANCE};
    case 1040: return {TWLG_ITALIAN, TWCY_ITALY};
    case 2057: return {TWLG_ENGLISH, TWCY_BRITAIN};
    default: return {TWLG_USA, TWCY_USA};
    }
}

WORD InstalledLanguage() {
    char directory[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return kUsEnglish;
    std::string path = std::string(directory) + "\\progman.exe";
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return kUsEnglish;
    std::vector<BYTE> info(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return kUsEnglish;
    WORD* translation = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &bytes) ||
        bytes < sizeof(WORD))
        return kUsEnglish;
    return translation[0];
}

TW_IDENTITY BuildIdentity(HINSTANCE module) {
    TW_IDENTITY identity{};
    identity.Version.MajorNum = 1;
    identity.Version.MinorNum = 0;
    LanguageCountry language = LanguageFor(InstalledLanguage());
    identity.Version.Language = language.language;
    identity.Version.Country = language.country;
    LoadField(module, 3, identity.Version.Info);
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 6;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
#ifdef _WIN64
    // 64-bit applications reach sources through TWAIN 2 managers, which ask for this flag.
    identity.SupportedGroups |= DF_DS2;
#endif
    LoadField(module, 0, identity.Manufacturer);
    LoadField(module, 1, identity.ProductFamily);
    LoadField(module, 2, identity.ProductName);
    return identity;
}

}  // namespace source

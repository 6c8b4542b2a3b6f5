#include "BrowseFlags.h"

#include "RegKey.h"

#include <shlobj.h>

#include <vector>

namespace {

constexpr char kCabinetStateKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState";
constexpr char kSettingsValue[] = "Settings";
// CABINETSTATE: length and version (two 16-bit words), then the flags; fNewWindowMode is bit 5.
constexpr size_t kFlagsByte = 4;
constexpr BYTE kNewWindowModeBit = 1 << 5;

std::optional<bool> NewWindowMode() {
    pv::RegKey key = pv::RegKey::open(HKEY_CURRENT_USER, kCabinetStateKey);
    std::vector<BYTE> settings(64);
    DWORD size = static_cast<DWORD>(settings.size()), type = 0;
    if (!key || RegQueryValueExA(key.get(), kSettingsValue, nullptr, &type, settings.data(), &size) != ERROR_SUCCESS ||
        size <= kFlagsByte)
        return std::nullopt;
    return (settings[kFlagsByte] & kNewWindowModeBit) != 0;
}

std::optional<std::string> ClassOf(HWND window) {
    char name[64] = "";
    if (!window || !GetClassNameA(window, name, sizeof name)) return std::nullopt;
    return std::string(name);
}

}  // namespace

UINT BrowseFlagsOf(bool explore, std::optional<bool> newWindowMode, const std::optional<std::string>& ownerClass) {
    if (!newWindowMode) return SBSP_EXPLOREMODE;
    if (!explore) return ownerClass == "ExploreWClass" ? SBSP_OPENMODE | SBSP_NEWBROWSER : SBSP_OPENMODE;
    if (ownerClass == "CabinetWClass" && !*newWindowMode) return SBSP_EXPLOREMODE | SBSP_NEWBROWSER;
    return SBSP_EXPLOREMODE;
}

UINT BrowseFlagsFor(bool explore, HWND owner) { return BrowseFlagsOf(explore, NewWindowMode(), ClassOf(owner)); }

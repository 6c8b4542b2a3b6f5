#include "LinkSettings.h"

namespace pvlink {
namespace {

constexpr const char* kSettingsKey =
    "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter\\pvlink.DLL";

DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return fallback;
    return value;
}

}  // namespace

LinkSettings ReadLinkSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {kDefaultLockDelayMs, false, 0};
    LinkSettings s{ReadDword(key, "LockDelay", kDefaultLockDelayMs), true,
                   ReadDword(key, "Timeout", kDefaultTimeoutMs)};
    RegCloseKey(key);
    return s;
}

}  // namespace pvlink

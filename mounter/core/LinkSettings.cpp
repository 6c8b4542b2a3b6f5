#include "LinkSettings.h"

namespace mounter {
namespace {

constexpr char kLinkKey[] = "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter\\pvlink.DLL";

void ReadDword(HKEY key, const char* name, DWORD* value) {
    DWORD type = 0, stored = 0, size = sizeof stored;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof stored)
        *value = stored;
}

bool WriteDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

}  // namespace

LinkSettings ReadLinkSettings() {
    LinkSettings settings;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLinkKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return settings;
    ReadDword(key, "LockDelay", &settings.lockDelay);
    ReadDword(key, "Timeout", &settings.timeout);
    ReadDword(key, "ShowConnectionProgress", &settings.showProgress);
    RegCloseKey(key);
    return settings;
}

bool WriteLinkSettings(const LinkSettings& settings) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLinkKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = WriteDword(key, "LockDelay", settings.lockDelay) &&
                   WriteDword(key, "Timeout", settings.timeout) &&
                   WriteDword(key, "ShowConnectionProgress", settings.showProgress);
    RegCloseKey(key);
    return written;
}

}  // namespace mounter

#include "LinkSettings.h"

#include "RegKey.h"

#include <algorithm>

namespace pvlink {
namespace {

constexpr const char* kSettingsKey =
    "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter\\pvlink.DLL";

}  // namespace

LinkSettings ReadLinkSettings() {
    pv::RegKey key = pv::RegKey::open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ);
    if (!key) return {kDefaultLockDelayMs, false, 0};
    return {std::min(key.dword("LockDelay").value_or(kDefaultLockDelayMs), kMaxLockDelayMs), true,
            std::min(key.dword("Timeout").value_or(kDefaultTimeoutMs), kMaxTimeoutMs)};
}

}  // namespace pvlink

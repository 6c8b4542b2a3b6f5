#include "LinkSettings.h"

#include "RegKey.h"

namespace mounter {
namespace {

constexpr char kLinkKey[] = "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter\\pvlink.DLL";

}  // namespace

LinkSettings ReadLinkSettings() {
    LinkSettings settings;
    pv::RegKey key = pv::RegKey::open(HKEY_LOCAL_MACHINE, kLinkKey, KEY_READ);
    settings.lockDelay = key.dword("LockDelay").value_or(settings.lockDelay);
    settings.timeout = key.dword("Timeout").value_or(settings.timeout);
    settings.showProgress = key.dword("ShowConnectionProgress").value_or(settings.showProgress);
    return settings;
}

bool WriteLinkSettings(const LinkSettings& settings) {
    pv::RegKey key = pv::RegKey::create(HKEY_LOCAL_MACHINE, kLinkKey, KEY_WRITE);
    return key.setDword("LockDelay", settings.lockDelay) && key.setDword("Timeout", settings.timeout) &&
           key.setDword("ShowConnectionProgress", settings.showProgress);
}

}  // namespace mounter

#include "FileTypes.h"

#include "MounterMessages.h"
#include "RegKey.h"
#include "ViewResources.h"

bool IsFileTypeRegistered(const std::string& fileName) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return false;
    pv::RegKey extension = pv::RegKey::open(HKEY_CLASSES_ROOT, fileName.substr(dot).c_str());
    std::optional<std::string> typeName = extension.string(nullptr);
    if (!typeName || typeName->empty()) return false;
    std::string command = *typeName + mounter::LoadText(IDS_OPEN_COMMAND_KEY);
    return pv::RegKey::open(HKEY_CLASSES_ROOT, command.c_str()).valid();
}

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

bool RegisterProgramForType(const std::string& fileName, const std::string& program) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot + 1 == fileName.size()) return false;
    std::string extension = fileName.substr(dot), typeName = extension.substr(1);
    pv::RegKey extensionKey = pv::RegKey::create(HKEY_CLASSES_ROOT, extension.c_str(), KEY_WRITE);
    if (!extensionKey.valid() || !extensionKey.setString(nullptr, typeName)) return false;
    std::string commandKey = typeName + mounter::LoadText(IDS_OPEN_COMMAND_KEY);
    std::string command = program + " " + mounter::LoadText(IDS_OPEN_COMMAND_ARGUMENT);
    return pv::RegKey::create(HKEY_CLASSES_ROOT, commandKey.c_str(), KEY_WRITE).setString(nullptr, command);
}

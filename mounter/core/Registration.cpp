#include "Registration.h"

#include "MounterClasses.h"
#include "RegKey.h"

#include <string>

namespace {

struct ClassEntry {
    const char* clsid;
    const char* progId;
    const char* name;
};

const ClassEntry kClasses[] = {
    {kCameraClassText, "PV360MOUNT.CAMERA", "ORVIK PV350 / PV360 Zoom Camera"},
    {"{a84c0501-b187-11d0-8ae7-00c04fd28d85}", "PV360MOUNT.MEMORY", "ORVIK Camera Memory"},
    {"{a84c0502-b187-11d0-8ae7-00c04fd28d85}", "PV360MOUNT.ALBUM", "ORVIK Photo Album"},
};

constexpr DWORD kCameraFolderAttributes = 0xF0000000;   // has subfolders, file system, folder, ancestor
constexpr char kJunctionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\";

bool SetString(HKEY root, const std::string& key, const char* name, const std::string& value) {
    return pv::RegKey::create(root, key.c_str(), KEY_WRITE).setString(name, value);
}

bool SetDword(HKEY root, const std::string& key, const char* name, DWORD value) {
    return pv::RegKey::create(root, key.c_str(), KEY_WRITE).setDword(name, value);
}

int RegisterClassEntry(const ClassEntry& entry, const char* modulePath) {
    std::string key = std::string("CLSID\\") + entry.clsid;
    int failed = 0;
    failed += !SetString(HKEY_CLASSES_ROOT, key, nullptr, entry.name);
    failed += !SetString(HKEY_CLASSES_ROOT, key + "\\InprocServer32", nullptr, modulePath);
    failed += !SetString(HKEY_CLASSES_ROOT, key + "\\InprocServer32", "ThreadingModel", "Apartment");
    failed += !SetString(HKEY_CLASSES_ROOT, key + "\\ProgID", nullptr, entry.progId);
    failed += !SetString(HKEY_CLASSES_ROOT, entry.progId, nullptr, entry.name);
    failed += !SetString(HKEY_CLASSES_ROOT, std::string(entry.progId) + "\\CLSID", nullptr, entry.clsid);
    return failed;
}

int RegisterCameraJunction(const char* modulePath) {
    std::string key = std::string("CLSID\\") + kCameraClassText;
    int failed = 0;
    failed += !SetString(HKEY_CLASSES_ROOT, key + "\\DefaultIcon", nullptr, std::string(modulePath) + ",0");
    failed += !SetDword(HKEY_CLASSES_ROOT, key + "\\ShellFolder", "Attributes", kCameraFolderAttributes);
    failed += !SetString(HKEY_LOCAL_MACHINE, std::string(kJunctionKey) + kCameraClassText, nullptr,
                         kClasses[0].name);
    return failed;
}

}  // namespace

int RegisterMounterServer(const char* modulePath) {
    int failed = 0;
    for (const ClassEntry& entry : kClasses) failed += RegisterClassEntry(entry, modulePath);
    return failed + RegisterCameraJunction(modulePath);
}

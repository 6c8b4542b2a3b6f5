#include "RegistryFixture.h"

#include <stdexcept>

namespace pvtest {

void deleteMachineKey(const char* key) {
    LONG rc = RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error(std::string("cannot delete registry key ") + key);
}

void setMachineDword(const char* key, const std::string& name, DWORD value) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create registry key ") + key);
    LONG rc = ERROR_SUCCESS;
    if (!name.empty())
        rc = RegSetValueExA(h, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value);
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot set registry value " + name);
}

}  // namespace pvtest

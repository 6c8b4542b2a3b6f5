#include "RegistryFixture.h"

#include "RegKey.h"

#include <stdexcept>

namespace pvtest {

void deleteMachineKey(const char* key) {
    LONG rc = RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error(std::string("cannot delete registry key ") + key);
}

void setMachineDword(const char* key, const std::string& name, DWORD value) {
    pv::RegKey created = pv::RegKey::create(HKEY_LOCAL_MACHINE, key, KEY_WRITE);
    if (!created) throw std::runtime_error(std::string("cannot create registry key ") + key);
    if (!name.empty() && !created.setDword(name.c_str(), value))
        throw std::runtime_error("cannot set registry value " + name);
}

}  // namespace pvtest

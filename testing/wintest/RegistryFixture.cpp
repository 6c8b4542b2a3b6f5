#include "RegistryFixture.h"

#include "RegKey.h"

#include <stdexcept>
#include <utility>

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

ScopedMachineDword::ScopedMachineDword(const char* key, std::string name, DWORD value)
    : key_(key), name_(std::move(name)) {
    pv::RegKey existing = pv::RegKey::open(HKEY_LOCAL_MACHINE, key_);
    keyExisted_ = static_cast<bool>(existing);
    previous_ = existing.dword(name_.c_str());
    setMachineDword(key_, name_, value);
}

ScopedMachineDword::~ScopedMachineDword() {
    if (!keyExisted_) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_);
        return;
    }
    pv::RegKey key = pv::RegKey::open(HKEY_LOCAL_MACHINE, key_, KEY_SET_VALUE);
    if (previous_)
        key.setDword(name_.c_str(), *previous_);
    else
        key.removeValue(name_.c_str());
}

}  // namespace pvtest

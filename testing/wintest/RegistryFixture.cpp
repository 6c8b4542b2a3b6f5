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

namespace {

// The outermost of the key and its parents that does not exist yet; empty when the key exists.
std::string OutermostMissing(const std::string& key) {
    std::string missing;
    for (std::string path = key; !path.empty() && !pv::RegKey::open(HKEY_LOCAL_MACHINE, path.c_str());) {
        missing = path;
        const size_t slash = path.rfind('\\');
        path = slash == std::string::npos ? std::string() : path.substr(0, slash);
    }
    return missing;
}

}  // namespace

ScopedMachineDword::ScopedMachineDword(const char* key, std::string name, DWORD value)
    : key_(key), name_(std::move(name)), made_(OutermostMissing(key)) {
    previous_ = pv::RegKey::open(HKEY_LOCAL_MACHINE, key_).dword(name_.c_str());
    setMachineDword(key_, name_, value);
}

ScopedMachineDword::~ScopedMachineDword() {
    if (!made_.empty()) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, made_.c_str());
        return;
    }
    pv::RegKey key = pv::RegKey::open(HKEY_LOCAL_MACHINE, key_, KEY_SET_VALUE);
    if (previous_)
        key.setDword(name_.c_str(), *previous_);
    else
        key.removeValue(name_.c_str());
}

}  // namespace pvtest

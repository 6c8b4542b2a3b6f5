// Registry state for tests: the link library's tuning key, set up and removed per test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pvtest {

constexpr const char* kMounterKey = "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter";
constexpr const char* kLinkKey =
    "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter\\pvlink.DLL";

// Removes the key (and its sub-keys) under HKEY_LOCAL_MACHINE; absent keys are fine.
void deleteMachineKey(const char* key);
// Creates the key and sets a DWORD value (creating the key alone when name is empty).
void setMachineDword(const char* key, const std::string& name, DWORD value);

// Removes the link key on construction and again on destruction, so that each test starts from
// and leaves behind a machine without it.
class ScopedLinkKey {
public:
    ScopedLinkKey() { deleteMachineKey(kLinkKey); }
    ~ScopedLinkKey() { deleteMachineKey(kLinkKey); }
    void create() { setMachineDword(kLinkKey, "", 0); }
    void set(const std::string& name, DWORD value) { setMachineDword(kLinkKey, name, value); }
};

// Sets one DWORD value of a machine key for as long as it lives, then puts back what was there
// before: the user's own value, no value, or no key at all (nor the parent keys it had to make).
// Other values are left alone.
class ScopedMachineDword {
public:
    ScopedMachineDword(const char* key, std::string name, DWORD value);
    ~ScopedMachineDword();
    ScopedMachineDword(const ScopedMachineDword&) = delete;
    ScopedMachineDword& operator=(const ScopedMachineDword&) = delete;

private:
    const char* key_;
    std::string name_;
    std::string made_;   // the outermost key it made, or empty
    std::optional<DWORD> previous_;
};

}  // namespace pvtest

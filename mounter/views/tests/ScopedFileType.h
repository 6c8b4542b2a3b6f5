// A file type of HKEY_CLASSES_ROOT set up for one test and put back when it goes: the extension's
// default value as it was (or no key at all), and no key of the type names that the test used.
#pragma once

#include "RegKey.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace viewtest {

class ScopedFileType {
public:
    // typeNames: every type key that the test may make (its own, and what the code under test makes).
    ScopedFileType(std::string extension, std::vector<std::string> typeNames)
        : m_extension(std::move(extension)), m_typeNames(std::move(typeNames)) {
        pv::RegKey key = pv::RegKey::open(HKEY_CLASSES_ROOT, m_extension.c_str());
        m_existed = key.valid();
        if (m_existed) m_previous = key.string(nullptr);
    }
    ~ScopedFileType() {
        for (const std::string& type : m_typeNames) RegDeleteTreeA(HKEY_CLASSES_ROOT, type.c_str());
        if (!m_existed) RegDeleteTreeA(HKEY_CLASSES_ROOT, m_extension.c_str());
        else if (m_previous) pv::RegKey::create(HKEY_CLASSES_ROOT, m_extension.c_str()).setString(nullptr, *m_previous);
    }
    ScopedFileType(const ScopedFileType&) = delete;
    ScopedFileType& operator=(const ScopedFileType&) = delete;

    // The extension opens with command through the first of the type names.
    bool Register(const std::string& command) {
        std::string commandKey = m_typeNames.front() + "\\Shell\\Open\\Command";
        return pv::RegKey::create(HKEY_CLASSES_ROOT, m_extension.c_str()).setString(nullptr, m_typeNames.front()) &&
               pv::RegKey::create(HKEY_CLASSES_ROOT, commandKey.c_str()).setString(nullptr, command);
    }

private:
    std::string m_extension;
    std::vector<std::string> m_typeNames;
    bool m_existed = false;
    std::optional<std::string> m_previous;
};

// The default value of a key of HKEY_CLASSES_ROOT; none without the key or the value.
inline std::optional<std::string> ClassesValue(const std::string& key) {
    return pv::RegKey::open(HKEY_CLASSES_ROOT, key.c_str()).string(nullptr);
}

}  // namespace viewtest

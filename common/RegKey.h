// An open registry key, closed when it goes, with the few value reads and writes the system needs.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

#include <optional>
#include <string>

namespace pv {

struct RegKeyTraits : NullHandle<HKEY> {
    static void close(HKEY h) { RegCloseKey(h); }
};

class RegKey : public UniqueResource<RegKeyTraits> {
public:
    using UniqueResource::UniqueResource;

    // An existing key; empty when it is absent or refused. The error, when asked for, says which.
    static RegKey open(HKEY root, const char* path, REGSAM access = KEY_READ, LONG* error = nullptr) {
        RegKey key;
        LONG rc = RegOpenKeyExA(root, path, 0, access, key.put());
        if (rc != ERROR_SUCCESS) key.release();
        if (error) *error = rc;
        return key;
    }
    // The key, made (with its parents) when absent: empty class, not volatile.
    static RegKey create(HKEY root, const char* path, REGSAM access = KEY_READ | KEY_WRITE,
                         LONG* error = nullptr) {
        RegKey key;
        LONG rc = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.put(),
                                  nullptr);
        if (rc != ERROR_SUCCESS) key.release();
        if (error) *error = rc;
        return key;
    }

    // A REG_DWORD value; nothing when absent or of another type or size.
    std::optional<DWORD> dword(const char* name) const {
        DWORD type = 0, value = 0, size = sizeof value;
        if (!get() || RegQueryValueExA(get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                      &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return value;
    }
    // A REG_SZ or REG_EXPAND_SZ value as stored (not expanded), without its terminator.
    std::optional<std::string> string(const char* name) const {
        DWORD type = 0, size = 0;
        if (!get() || RegQueryValueExA(get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::string text(size, '\0');
        if (size && RegQueryValueExA(get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                                     &size) != ERROR_SUCCESS)
            return std::nullopt;
        text.resize(size);
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }
    bool setDword(const char* name, DWORD value) const {
        return get() && RegSetValueExA(get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                      sizeof value) == ERROR_SUCCESS;
    }
    bool setString(const char* name, const std::string& value) const {
        return get() && RegSetValueExA(get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
    bool removeValue(const char* name) const {
        return get() && RegDeleteValueA(get(), name) == ERROR_SUCCESS;
    }
};

}  // namespace pv

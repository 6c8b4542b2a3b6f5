// An open registry key, closed when it goes, with the few value reads and writes the system needs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace pv {

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { reset(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }

    // An existing key; empty when it is absent or refused. The error, when asked for, says which.
    static RegKey open(HKEY root, const char* path, REGSAM access = KEY_READ, LONG* error = nullptr) {
        RegKey key;
        LONG rc = RegOpenKeyExA(root, path, 0, access, &key.key_);
        if (rc != ERROR_SUCCESS) key.key_ = nullptr;
        if (error) *error = rc;
        return key;
    }
    // The key, made (with its parents) when absent.
    static RegKey create(HKEY root, const char* path, REGSAM access = KEY_READ | KEY_WRITE,
                         LONG* error = nullptr) {
        RegKey key;
        LONG rc = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                  &key.key_, nullptr);
        if (rc != ERROR_SUCCESS) key.key_ = nullptr;
        if (error) *error = rc;
        return key;
    }

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void reset() {
        if (HKEY key = std::exchange(key_, nullptr)) RegCloseKey(key);
    }

    // A REG_DWORD value; nothing when absent or of another type or size.
    std::optional<DWORD> dword(const char* name) const {
        DWORD type = 0, value = 0, size = sizeof value;
        if (!key_ || RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                      &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return value;
    }
    // A REG_SZ or REG_EXPAND_SZ value as stored (not expanded), without its terminator.
    std::optional<std::string> string(const char* name) const {
        DWORD type = 0, size = 0;
        if (!key_ || RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::string text(size, '\0');
        if (size && RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                                     &size) != ERROR_SUCCESS)
            return std::nullopt;
        text.resize(size);
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }
    bool setDword(const char* name, DWORD value) const {
        return key_ && RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                      sizeof value) == ERROR_SUCCESS;
    }
    bool setString(const char* name, const std::string& value) const {
        return key_ && RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
    bool removeValue(const char* name) const {
        return key_ && RegDeleteValueA(key_, name) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace pv

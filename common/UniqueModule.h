// A loaded library, freed when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace pv {

class UniqueModule {
public:
    UniqueModule() = default;
    explicit UniqueModule(HMODULE module) : module_(module) {}
    static UniqueModule load(const char* name) { return UniqueModule(LoadLibraryA(name)); }
    ~UniqueModule() { reset(); }
    UniqueModule(const UniqueModule&) = delete;
    UniqueModule& operator=(const UniqueModule&) = delete;
    UniqueModule(UniqueModule&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    UniqueModule& operator=(UniqueModule&& other) noexcept {
        if (this != &other) {
            reset();
            module_ = std::exchange(other.module_, nullptr);
        }
        return *this;
    }

    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    // An export by name or by ordinal (MAKEINTRESOURCEA), as the caller's function type.
    template <typename Function>
    Function proc(const char* name) const {
        return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }
    void reset() {
        if (HMODULE old = std::exchange(module_, nullptr)) FreeLibrary(old);
    }

private:
    HMODULE module_ = nullptr;
};

}  // namespace pv

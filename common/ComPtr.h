// An interface pointer that owns one reference: released when it goes, added to when copied.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace pv {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds (a creator's or an out parameter's).
    static ComPtr attach(T* p) {
        ComPtr owned;
        owned.p_ = p;
        return owned;
    }
    // Adds a reference of its own to a pointer the caller keeps.
    static ComPtr share(T* p) {
        if (p) p->AddRef();
        return attach(p);
    }
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // The slot of an out parameter; whatever was held before is released first.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // Hands the reference to the caller (an out parameter of our own).
    T* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // Another interface of the same object; empty when it has none.
    template <typename U>
    ComPtr<U> as() const {
        ComPtr<U> other;
        if (p_) p_->QueryInterface(__uuidof(U), other.putVoid());
        return other;
    }

private:
    T* p_ = nullptr;
};

}  // namespace pv

// Memory or an object that a library handed out, given back through that library's own free
// function when it goes (camera buffers, picture information, camera objects of pvhost).
#pragma once

#include <utility>

namespace pv {

template <typename T, auto Free>
class LibraryPtr {
public:
    LibraryPtr() = default;
    explicit LibraryPtr(T* p) : p_(p) {}
    ~LibraryPtr() { reset(); }
    LibraryPtr(const LibraryPtr&) = delete;
    LibraryPtr& operator=(const LibraryPtr&) = delete;
    LibraryPtr(LibraryPtr&& other) noexcept : p_(other.release()) {}
    LibraryPtr& operator=(LibraryPtr&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // The slot of an out parameter, null on entry as the libraries expect; whatever was held is
    // given back first.
    T** put() {
        reset();
        return &p_;
    }
    T* release() { return std::exchange(p_, nullptr); }
    void reset(T* p = nullptr) {
        if (T* old = std::exchange(p_, p)) Free(old);
    }

private:
    T* p_ = nullptr;
};

}  // namespace pv

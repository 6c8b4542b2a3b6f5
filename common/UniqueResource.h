// One owned handle of any kind, given back when it goes: the shape that the handle types of this
// folder share. A traits class names the handle's type, the value that means "none", whether a
// value is a handle at all, and how one is given back.
#pragma once

#include <utility>

namespace pv {

// The traits of most handle types: a pointer-like handle whose "none" is null. The handle type's
// own traits add close().
template <typename H>
struct NullHandle {
    using Handle = H;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
};

template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle h) : h_(h) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : h_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return h_; }
    bool valid() const { return Traits::valid(h_); }
    explicit operator bool() const { return valid(); }
    // The slot of an out parameter; whatever was held before is given back first.
    Handle* put() {
        reset();
        return &h_;
    }
    // Ownership goes to the caller.
    Handle release() { return std::exchange(h_, Traits::none()); }
    void reset(Handle h = Traits::none()) {
        Handle old = std::exchange(h_, h);
        if (Traits::valid(old)) Traits::close(old);
    }

private:
    Handle h_ = Traits::none();
};

}  // namespace pv

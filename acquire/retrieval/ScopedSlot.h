// A process-wide slot that holds a value for the length of a scope: how callbacks without a context
// argument (the camera library's, the image toolkit's) find the progress of the work in hand.
#pragma once

namespace acquire {

template <typename T>
class ScopedSlot {
public:
    ScopedSlot(T*& slot, T* value) : slot_(slot) { slot_ = value; }
    ~ScopedSlot() { slot_ = nullptr; }
    ScopedSlot(const ScopedSlot&) = delete;
    ScopedSlot& operator=(const ScopedSlot&) = delete;

private:
    T*& slot_;
};

}  // namespace acquire

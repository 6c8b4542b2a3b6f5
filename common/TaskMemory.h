// A block of the COM task allocator (CoTaskMemAlloc) that the caller received, typed: identifier
// lists the shell hands out, strings of StringFromCLSID. Freed with CoTaskMemFree when it goes.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace pv {

template <typename T>
class TaskMemory {
public:
    TaskMemory() = default;
    explicit TaskMemory(T* p) : p_(p) {}
    ~TaskMemory() { reset(); }
    TaskMemory(const TaskMemory&) = delete;
    TaskMemory& operator=(const TaskMemory&) = delete;
    TaskMemory(TaskMemory&& other) noexcept : p_(other.release()) {}
    TaskMemory& operator=(TaskMemory&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // The slot of an out parameter; whatever was held before is freed first.
    T** put() {
        reset();
        return &p_;
    }
    T* release() { return std::exchange(p_, nullptr); }
    void reset(T* p = nullptr) {
        if (T* old = std::exchange(p_, p)) CoTaskMemFree(old);
    }

private:
    T* p_ = nullptr;
};

}  // namespace pv

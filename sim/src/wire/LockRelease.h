// Lets go of a held lock for one scope and takes it again when the scope ends, also when the scope
// is left by an exception. A lock that is not held is left alone.
#pragma once

#include <mutex>

namespace pvsim {

class LockRelease {
public:
    explicit LockRelease(std::unique_lock<std::mutex>* held) : held_(held && held->owns_lock() ? held : nullptr) {
        if (held_) held_->unlock();
    }
    ~LockRelease() {
        if (held_) held_->lock();
    }
    LockRelease(const LockRelease&) = delete;
    LockRelease& operator=(const LockRelease&) = delete;

private:
    std::unique_lock<std::mutex>* held_;
};

}  // namespace pvsim

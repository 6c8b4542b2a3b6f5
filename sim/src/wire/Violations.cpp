#include "Violations.h"

#include <cstdio>

namespace pvsim {

void Violations::report(const std::string& what) {
    std::lock_guard g(lock_);
    if (muted_) return;
    std::fprintf(stderr, "pvsim: violation: %s\n", what.c_str());
    if (items_.size() < 1000) items_.push_back(what);
}

std::vector<std::string> Violations::list() const {
    std::lock_guard g(lock_);
    return items_;
}

void Violations::clear() {
    std::lock_guard g(lock_);
    items_.clear();
}

void Violations::setMuted(bool muted) {
    std::lock_guard g(lock_);
    muted_ = muted;
}

}  // namespace pvsim

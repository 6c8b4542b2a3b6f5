// How much one property set may grow to while it is read. The stored form is compact where the
// read form is not: a vector claims one element per remaining byte, and a stream of 1 MiB read
// into property objects can ask for gigabytes. Every value read is charged here, for the whole set.
#pragma once

#include <cstddef>

namespace nif {

class ParseBudget {
public:
    static constexpr size_t kMaxElements = size_t(1) << 16;   // properties, vector elements, names
    static constexpr size_t kMaxBytes = size_t(16) << 20;     // their memory, texts and blobs included

    // Charges elements and bytes; false, charging nothing, when that would pass the budget.
    bool take(size_t elements, size_t bytes) {
        if (elements > kMaxElements - elements_ || bytes > kMaxBytes - bytes_) return false;
        elements_ += elements;
        bytes_ += bytes;
        return true;
    }

private:
    size_t elements_ = 0;
    size_t bytes_ = 0;
};

}  // namespace nif

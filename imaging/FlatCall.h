// The boundary of the toolkit's flat calls and of its decoding threads: no C++ exception leaves
// them. One that would (an allocation that failed while a file was read, a tile buffer that
// could not grow) becomes the call's result code with a message, as every other failure does.
#pragma once

#include "NIFError.h"

#include <new>

namespace nif {

// Records an exception that reached the boundary at where: out of memory, or any other.
int FailFromException(const char* where, bool outOfMemory) noexcept;

template <typename Body>
int Guarded(const char* where, Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return FailFromException(where, true);
    } catch (...) {
        return FailFromException(where, false);
    }
}

}  // namespace nif

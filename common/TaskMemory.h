// A block of the COM task allocator (CoTaskMemAlloc) that the caller received, typed: identifier
// lists the shell hands out, strings of StringFromCLSID. Freed with CoTaskMemFree when it goes.
#pragma once

#include "LibraryPtr.h"

#include <windows.h>
#include <objbase.h>

namespace pv {

inline void FreeTaskMemory(void* block) { CoTaskMemFree(block); }

template <typename T>
using TaskMemory = LibraryPtr<T, FreeTaskMemory>;

}  // namespace pv

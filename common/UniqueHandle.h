// A kernel object handle (file, mutex, event, thread, process) closed when it goes. Both null and
// INVALID_HANDLE_VALUE mean "none", as the functions that make handles answer either. And the
// search handle of FindFirstFile, closed with FindClose.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

namespace pv {

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
using UniqueHandle = UniqueResource<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};
using UniqueFind = UniqueResource<FindHandleTraits>;

}  // namespace pv

// Keeps C++ exceptions inside COM methods: the shell gets a status code, never an exception.
#pragma once

#include <windows.h>

#include <new>

template <typename Body>
HRESULT ComGuard(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

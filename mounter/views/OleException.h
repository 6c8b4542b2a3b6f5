// A failed shell or OLE call inside a view command: the command that catches it tells the user
// with string 10007 and its status code.
#pragma once

#include <windows.h>

#include <new>

class COleException {
public:
    explicit COleException(HRESULT scode) : m_scode(scode) {}
    HRESULT Scode() const { return m_scode; }

    // Throws for a failed status code.
    static void ThrowIfFailed(HRESULT hr) {
        if (FAILED(hr)) throw COleException(hr);
    }

private:
    HRESULT m_scode;
};

// Shows string 10007 with the status code in eight hexadecimal digits (caption 8019, stop icon).
void ReportOleException(HWND owner, const COleException& exception);

// Keeps every exception inside a shell view's COM method: an OLE failure answers its own code, the
// rest what ComGuard answers.
template <typename Body>
HRESULT ViewGuard(Body body) noexcept {
    try {
        return body();
    } catch (const COleException& failure) {
        return failure.Scode();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

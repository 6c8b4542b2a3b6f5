#include "NIFError.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace nif {
namespace {

// Plain data: a thread-local object with a destructor would keep the library loaded for good
// (the runtime pins a library whose threads have destructors to run).
struct LastError {
    int code = NIF_OK;
    char message[1024];

    void set(int newCode, const std::string& text) {
        code = newCode;
        size_t length = std::min(text.size(), sizeof message - 1);
        std::memcpy(message, text.data(), length);
        message[length] = '\0';
    }
};

LastError& ThreadError() {
    thread_local LastError error{};
    return error;
}

struct ScodeEntry {
    HRESULT hr;
    const char* name;
};

#define NIF_SCODE(x) {static_cast<HRESULT>(x), #x}
constexpr ScodeEntry kScodes[] = {
    NIF_SCODE(E_NOTIMPL), NIF_SCODE(E_NOINTERFACE), NIF_SCODE(E_POINTER), NIF_SCODE(E_ABORT),
    NIF_SCODE(E_FAIL), NIF_SCODE(E_UNEXPECTED), NIF_SCODE(E_OUTOFMEMORY), NIF_SCODE(E_INVALIDARG),
    NIF_SCODE(E_ACCESSDENIED), NIF_SCODE(E_HANDLE),
    NIF_SCODE(STG_E_INVALIDFUNCTION), NIF_SCODE(STG_E_FILENOTFOUND), NIF_SCODE(STG_E_PATHNOTFOUND),
    NIF_SCODE(STG_E_TOOMANYOPENFILES), NIF_SCODE(STG_E_ACCESSDENIED), NIF_SCODE(STG_E_INVALIDHANDLE),
    NIF_SCODE(STG_E_INSUFFICIENTMEMORY), NIF_SCODE(STG_E_INVALIDPOINTER), NIF_SCODE(STG_E_NOMOREFILES),
    NIF_SCODE(STG_E_DISKISWRITEPROTECTED), NIF_SCODE(STG_E_SEEKERROR), NIF_SCODE(STG_E_WRITEFAULT),
    NIF_SCODE(STG_E_READFAULT), NIF_SCODE(STG_E_SHAREVIOLATION), NIF_SCODE(STG_E_LOCKVIOLATION),
    NIF_SCODE(STG_E_FILEALREADYEXISTS), NIF_SCODE(STG_E_INVALIDPARAMETER), NIF_SCODE(STG_E_MEDIUMFULL),
    NIF_SCODE(STG_E_ABNORMALAPIEXIT), NIF_SCODE(STG_E_INVALIDHEADER), NIF_SCODE(STG_E_INVALIDNAME),
    NIF_SCODE(STG_E_UNKNOWN), NIF_SCODE(STG_E_UNIMPLEMENTEDFUNCTION), NIF_SCODE(STG_E_INVALIDFLAG),
    NIF_SCODE(STG_E_INUSE), NIF_SCODE(STG_E_NOTCURRENT), NIF_SCODE(STG_E_REVERTED),
    NIF_SCODE(STG_E_CANTSAVE), NIF_SCODE(STG_E_OLDFORMAT), NIF_SCODE(STG_E_OLDDLL),
    NIF_SCODE(STG_E_SHAREREQUIRED), NIF_SCODE(STG_E_NOTFILEBASEDSTORAGE),
    NIF_SCODE(STG_E_EXTANTMARSHALLINGS), NIF_SCODE(STG_E_DOCFILECORRUPT),
    NIF_SCODE(STG_E_TERMINATED), NIF_SCODE(STG_E_INCOMPLETE),
    NIF_SCODE(OLE_E_NOSTORAGE), NIF_SCODE(OLE_E_NOTRUNNING), NIF_SCODE(OLE_E_BLANK),
};
#undef NIF_SCODE

}  // namespace

int Fail(int code, const std::string& message) {
    ThreadError().set(code, message);
    return code;
}

const char* ScodeName(HRESULT hr) {
    for (const ScodeEntry& e : kScodes)
        if (e.hr == hr) return e.name;
    return "Unrecognized Scode";
}

int FailHr(HRESULT hr, const char* where) {
    int code = hr == E_OUTOFMEMORY || hr == STG_E_INSUFFICIENTMEMORY ? NIF_OUT_OF_MEMORY : NIF_STORAGE_FAILED;
    return Fail(code, std::string(ScodeName(hr)) + " in " + where + ".");
}

// The message is made where memory may be short: a message that cannot be made stays empty.
int FailFromException(const char* where, bool outOfMemory) noexcept {
    const int code = outOfMemory ? NIF_OUT_OF_MEMORY : NIF_BAD_FILE;
    LastError& e = ThreadError();
    e.code = code;
    std::snprintf(e.message, sizeof e.message, "%s%s.", outOfMemory ? "Out of memory in " : "Unexpected failure in ", where);
    return code;
}

int LastCode() { return ThreadError().code; }
std::string LastMessage() { return ThreadError().message; }
void ClearLastError() { Fail(NIF_OK, std::string()); }

}  // namespace nif

extern "C" int NIFGetLastError(const char** message) {
    if (message) *message = nif::ThreadError().message;
    return nif::LastCode();
}

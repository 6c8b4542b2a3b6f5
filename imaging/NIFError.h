// The toolkit's last error: a result code and a message naming what failed and where. Every
// failing operation records one and returns its code.
#pragma once

#include "NIFDefs.h"

#include <windows.h>

#include <string>

namespace nif {

// Records the failure for this thread and returns its code.
int Fail(int code, const std::string& message);
// A failed structured-storage call: the name of its status code and where it happened.
int FailHr(HRESULT hr, const char* where);
const char* ScodeName(HRESULT hr);
int LastCode();
std::string LastMessage();
void ClearLastError();

}  // namespace nif

// The last failure of the calling thread, for callers outside the toolkit. The message stays
// valid until the thread's next toolkit call.
extern "C" NIF_API int NIFGetLastError(const char** message);

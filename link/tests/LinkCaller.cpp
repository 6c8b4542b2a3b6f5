// A library between the tests and the link, as the camera library is in the product: it calls
// the link and lets its exceptions pass.
#include "pvlink.h"

extern "C" __declspec(dllexport) DWORD CallerOpen(DWORD port) { return CommOpen(port); }

extern "C" __declspec(dllexport) DWORD CallerFailureRecord(DWORD port, CommErrorState* record) {
    return CommGetStatus(port, &record->status, &record->errorMask, &record->lastError, &record->location);
}

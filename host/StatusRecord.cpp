#include "StatusRecord.h"

#include "CameraTypes.h"

#include <new>

namespace pvhost {
namespace {

BYTE* g_record;
LONG g_liveObjects;

}  // namespace

bool AcquireStatusRecord() {
    if (g_liveObjects == 0) {
        g_record = new (std::nothrow) BYTE[kStatusRecordSize]();
        if (!g_record) return false;
    }
    ++g_liveObjects;
    return true;
}

void ReleaseStatusRecord() {
    if (--g_liveObjects > 0) return;
    delete[] g_record;
    g_record = nullptr;
}

BYTE* StatusRecord() { return g_record; }

BYTE StatusByte(DWORD offset) { return g_record && offset < kStatusRecordSize ? g_record[offset] : 0; }

}  // namespace pvhost

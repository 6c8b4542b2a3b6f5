// The camera status record, one per process, shared by every camera object of the process.
#pragma once

#include <windows.h>

namespace pvhost {

// Created with the first camera object and freed with the last.
bool AcquireStatusRecord();
void ReleaseStatusRecord();
BYTE* StatusRecord();
// The record's byte at offset, 0 outside the record.
BYTE StatusByte(DWORD offset);

}  // namespace pvhost

// The data source's internal result codes, which the entry point maps to TWAIN return and
// condition codes, and its state numbers.
#pragma once

#include "TwainTypes.h"

#include <windows.h>

namespace source {

// A handler's result: 0 success; 2 no memory (TWRC_CHECKSTATUS); 3 to 6 the return codes
// TWRC_CANCEL, TWRC_DSEVENT, TWRC_NOTDSEVENT, TWRC_XFERDONE; any other a condition code (with
// kConditionFlag where the condition's number is also one of those).
using Code = int;
constexpr Code kOk = 0;
constexpr Code kNoMemory = 2;
constexpr Code kCancel = TWRC_CANCEL;
constexpr Code kDsEvent = TWRC_DSEVENT;
constexpr Code kNotDsEvent = TWRC_NOTDSEVENT;
constexpr Code kXferDone = TWRC_XFERDONE;
constexpr Code kBummer = TWCC_BUMMER;
// TWCC_OPERATIONERROR shares its number with TWRC_NOTDSEVENT: the flag keeps it a condition.
constexpr Code kConditionFlag = 0x10000;
constexpr Code kOperationError = kConditionFlag | TWCC_OPERATIONERROR;
constexpr Code kBadProtocol = TWCC_BADPROTOCOL;
constexpr Code kBadValue = TWCC_BADVALUE;
constexpr Code kSeqError = TWCC_SEQERROR;
constexpr Code kCapUnsupported = TWCC_CAPUNSUPPORTED;
constexpr Code kCapBadOperation = TWCC_CAPBADOPERATION;

// State numbers (TWAIN states 3 to 7).
enum State : uint32_t { kClosed = 0, kOpen = 1, kEnabled = 2, kTransferReady = 3, kTransferring = 4 };

// Pointers from the application are tested before use.
inline bool Readable(const void* p, size_t size) { return p && !IsBadReadPtr(p, size); }
inline bool Writable(void* p, size_t size) { return p && !IsBadWritePtr(p, size); }

}  // namespace source

// Handing one picture of the list to the application (UIODCGetImage): the dialog's status and
// cursor around it, the progress dialog, the error shown, and the dialog given back after the last
// picture or a failure.
#pragma once

#include <windows.h>

#include <cstdint>

namespace acquire {

class AcquireManager;

// 0 done (the block is the caller's), 3 cancelled by the user, 1 failed.
uint16_t TransferPicture(AcquireManager& manager, HGLOBAL* bitmap, uint32_t number, uint32_t index);

}  // namespace acquire

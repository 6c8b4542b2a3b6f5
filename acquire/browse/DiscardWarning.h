// Before a chooser runs: the "Warning" box (154) when the acquire dialog holds pictures, which
// Continue discards.
#pragma once

#include <windows.h>

namespace acquire {

class AcquireManager;

// True when the chooser may run (the picture list is empty now).
bool ConfirmDiscardPictures(AcquireManager& manager, HWND owner);

}  // namespace acquire

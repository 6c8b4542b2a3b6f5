// The file transfer's BMP: a BITMAPFILEHEADER followed by the packed bitmap as the acquire module
// handed it over.
#pragma once

#include "SourceCodes.h"

namespace source {

// Writes the packed bitmap (header, colour table, bits) to the file, created or truncated:
// kXferDone; kNoMemory when the block cannot be locked; kOperationError when the file cannot be
// created or written whole, or the block is not a packed bitmap of the size its header gives.
Code WriteBitmapFile(HGLOBAL bitmap, const char* fileName);

}  // namespace source

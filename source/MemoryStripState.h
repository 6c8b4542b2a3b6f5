// A buffered memory transfer in progress: the picture's bitmap, locked and turned in place to top
// row first with red, green, blue pixels, handed out in strips of whole rows.
#pragma once

#include "GlobalMemory.h"
#include "SourceCodes.h"

#include <memory>

namespace source {

class MemoryStripState {
public:
    // Takes the bitmap for a transfer of info's picture; kOk, kOperationError when the bitmap
    // cannot be locked or does not hold the picture info describes.
    static Code Begin(pv::GlobalBlock bitmap, const TW_IMAGEINFO& info, std::unique_ptr<MemoryStripState>* strips);

    MemoryStripState(const MemoryStripState&) = delete;
    MemoryStripState& operator=(const MemoryStripState&) = delete;

    TW_UINT32 bytesPerRow() const { return bytesPerRow_; }
    // Fills the header and the application's memory with the next rows that fit: kOk while
    // rows remain, kXferDone with the last (the bitmap is then freed).
    Code Deliver(TW_IMAGEMEMXFER* transfer);

private:
    MemoryStripState() = default;
    void TurnTopDown(TW_UINT32 rows);

    pv::GlobalBlock bitmap_;
    std::unique_ptr<pv::LockedGlobal> lock_;   // released before the block
    BYTE* bits_ = nullptr;
    TW_UINT16 bitsPerPixel_ = 0;
    TW_UINT32 bytesPerRow_ = 0;
    TW_UINT32 columns_ = 0;
    TW_UINT32 rowsDelivered_ = 0;
    TW_UINT32 offset_ = 0;
    TW_UINT32 remaining_ = 0;
};

}  // namespace source

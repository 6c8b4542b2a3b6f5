#include "MemoryStripState.h"

#include "ImageDescription.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace source {
namespace {

constexpr SIZE_T kColourTableBytes = 256 * 4;

// Swaps two rows, exchanging the first and third byte of each 3-byte pixel on the way.
void SwapRows(BYTE* a, BYTE* b, TW_UINT32 columns, bool rgb) {
    if (!rgb) {
        std::swap_ranges(a, a + columns, b);
        return;
    }
    for (TW_UINT32 x = 0; x < columns; ++x, a += 3, b += 3) {
        const BYTE a0 = a[0], a1 = a[1], a2 = a[2];
        a[0] = b[2], a[1] = b[1], a[2] = b[0];
        b[0] = a2, b[1] = a1, b[2] = a0;
    }
}

}  // namespace

Code MemoryStripState::Begin(pv::GlobalBlock bitmap, const TW_IMAGEINFO& info, std::unique_ptr<MemoryStripState>* strips) {
    std::unique_ptr<MemoryStripState> state(new (std::nothrow) MemoryStripState);
    if (!state) return kNoMemory;
    state->bitmap_ = std::move(bitmap);
    state->lock_ = std::make_unique<pv::LockedGlobal>(state->bitmap_.get());
    if (!*state->lock_) return kOperationError;
    const auto* header = state->lock_->as<BITMAPINFOHEADER>();
    state->bitsPerPixel_ = TW_UINT16(info.BitsPerPixel);
    const SIZE_T start = sizeof(BITMAPINFOHEADER) + (info.BitsPerPixel == 24 ? 0 : kColourTableBytes);
    state->bytesPerRow_ = BytesPerRow(info);
    state->columns_ = TW_UINT32(info.ImageWidth);
    const TW_UINT32 rows = TW_UINT32(info.ImageLength);
    const uint64_t bytes = uint64_t(state->bytesPerRow_) * rows;
    // A bitmap other than the one described would be read beyond its end.
    if (rows == 0 || state->bytesPerRow_ == 0 || bytes > 0x7FFFFFFF || state->lock_->size() < start + SIZE_T(bytes) || header->biWidth != info.ImageWidth ||
        header->biHeight != info.ImageLength || header->biBitCount != info.BitsPerPixel)
        return kOperationError;
    state->remaining_ = TW_UINT32(bytes);
    state->bits_ = state->lock_->as<BYTE>() + start;
    state->TurnTopDown(rows);
    *strips = std::move(state);
    return kOk;
}

// The bitmap's rows are stored bottom-up with blue, green, red pixels; the application gets the
// top row first and red, green, blue. Padding stays at the end of each row.
void MemoryStripState::TurnTopDown(TW_UINT32 rows) {
    const bool rgb = bitsPerPixel_ == 24;
    const TW_UINT32 rowBytes = rgb ? columns_ : bytesPerRow_;
    for (TW_UINT32 top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
        SwapRows(bits_ + SIZE_T(top) * bytesPerRow_, bits_ + SIZE_T(bottom) * bytesPerRow_, rowBytes, rgb);
    if (rgb && rows % 2) {
        BYTE* middle = bits_ + SIZE_T(rows / 2) * bytesPerRow_;
        for (TW_UINT32 x = 0; x < columns_; ++x) std::swap(middle[x * 3], middle[x * 3 + 2]);
    }
}

Code MemoryStripState::Deliver(TW_IMAGEMEMXFER* transfer) {
    transfer->Compression = TWCP_NONE;
    transfer->BytesPerRow = bytesPerRow_;
    transfer->Columns = columns_;
    transfer->XOffset = 0;
    transfer->YOffset = rowsDelivered_;
    transfer->BytesWritten = std::min(transfer->Memory.Length / bytesPerRow_ * bytesPerRow_, remaining_);
    transfer->Rows = transfer->BytesWritten / bytesPerRow_;
    std::memcpy(transfer->Memory.TheMem, bits_ + offset_, transfer->BytesWritten);
    offset_ += transfer->BytesWritten;
    rowsDelivered_ += transfer->Rows;
    remaining_ -= transfer->BytesWritten;
    if (remaining_) return kOk;
    bits_ = nullptr;
    lock_.reset();
    bitmap_.reset();
    return kXferDone;
}

}  // namespace source

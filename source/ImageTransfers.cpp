// The three transfers of the pending picture: native (the bitmap handed to the application as it
// is), buffered memory (in strips of rows) and file (a BMP file).
#include "SourceContext.h"

#include "BitmapFile.h"
#include "ImageDescription.h"

namespace source {
Code SourceContext::FetchPicture(pv::GlobalBlock* bitmap) {
    const PictureInfo* picture = CurrentPicture();
    if (!picture) return kSeqError;
    bridge_->cancelled = false;
    HGLOBAL handed = nullptr;
    const uint16_t result = UIODCGetImage(&handed, picture->number, bridge_->pending->index());
    if (result == 0 && handed) {
        bitmap->reset(handed);
        return kXferDone;
    }
    bridge_->pending->DropRemaining();
    if (result != 3) return kSeqError;
    bridge_->cancelled = true;
    return kCancel;
}

Code SourceContext::NativeTransfer(void* pData) {
    if (!Writable(pData, sizeof(TW_HANDLE))) return kBadValue;
    pv::GlobalBlock bitmap;
    const Code code = FetchPicture(&bitmap);
    if (code != kXferDone) return code;
    *static_cast<TW_HANDLE*>(pData) = bitmap.release();
    state_ = kTransferring;
    return code;
}

Code SourceContext::FirstStrip(TW_IMAGEMEMXFER* transfer) {
    const TW_IMAGEINFO info = DescribePicture(CurrentPicture());
    if (transfer->Memory.Length < BytesPerRow(info)) return kBadValue;
    pv::GlobalBlock bitmap;
    const Code fetched = FetchPicture(&bitmap);
    if (fetched != kXferDone) return fetched;
    if (Code begun = MemoryStripState::Begin(std::move(bitmap), info, &strips_)) return begun;
    state_ = kTransferring;
    return kOk;
}

Code SourceContext::MemoryTransfer(void* pData) {
    auto transfer = static_cast<TW_IMAGEMEMXFER*>(pData);
    if (!Writable(pData, sizeof *transfer) || !Writable(transfer->Memory.TheMem, transfer->Memory.Length)) return kBadValue;
    if (!strips_) {
        if (Code first = FirstStrip(transfer)) return first;
    } else if (transfer->Memory.Length < strips_->bytesPerRow()) {
        return kBadValue;
    }
    const Code code = strips_->Deliver(transfer);
    if (code == kXferDone) strips_.reset();
    return code;
}

Code SourceContext::FileTransfer(void*) {
    pv::GlobalBlock bitmap;
    if (FetchPicture(&bitmap) != kXferDone) return kOperationError;
    state_ = kTransferring;
    return WriteBitmapFile(bitmap.get(), fileSetup_ ? fileSetup_->FileName : kDefaultFileName);
}

}  // namespace source

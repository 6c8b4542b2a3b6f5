// The image triplets that describe the pending picture and set transfers up: image information
// and layout, the memory and file transfer set-ups, and the palette.
#include "SourceContext.h"

#include "ImageDescription.h"

#include <cstring>

namespace source {
namespace {

constexpr TW_INT16 kLargestFrameSide = 5000;

TW_IMAGELAYOUT Layout(TW_INT32 right, TW_INT32 bottom) {
    TW_IMAGELAYOUT layout{};
    layout.Frame.Right.Whole = TW_INT16(right);
    layout.Frame.Bottom.Whole = TW_INT16(bottom);
    layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
    return layout;
}

// A name the application may ask for: terminated within its field and a file name the system
// can parse.
bool AcceptableFileName(const TW_SETUPFILEXFER& setup) {
    if (!std::memchr(setup.FileName, 0, sizeof setup.FileName)) return false;
    OFSTRUCT parsed{};
    parsed.cBytes = sizeof parsed;
    return setup.FileName[0] && OpenFile(setup.FileName, &parsed, OF_PARSE) != HFILE_ERROR;
}

}  // namespace

const PictureInfo* SourceContext::CurrentPicture() const {
    return bridge_ && bridge_->pending ? bridge_->pending->current() : nullptr;
}

Code SourceContext::ImageInfo(void* pData) {
    if (!Writable(pData, sizeof(TW_IMAGEINFO))) return kBadValue;
    *static_cast<TW_IMAGEINFO*>(pData) = DescribePicture(CurrentPicture());
    return kOk;
}

Code SourceContext::ImageLayout(TW_UINT16 message, void* pData) {
    if (!Writable(pData, sizeof(TW_IMAGELAYOUT))) return kBadValue;
    auto layout = static_cast<TW_IMAGELAYOUT*>(pData);
    if (message == MSG_SET) {
        // Only the whole frame is delivered: a frame within bounds is answered as not taken.
        if (layout->Frame.Right.Whole > kLargestFrameSide || layout->Frame.Bottom.Whole > kLargestFrameSide) return kBadValue;
        return kNoMemory;   // TWRC_CHECKSTATUS
    }
    if (message == MSG_RESET) return kOk;
    const TW_IMAGEINFO info = DescribePicture(CurrentPicture());
    *layout = message == MSG_GETDEFAULT ? Layout(0, 0) : Layout(info.ImageWidth, info.ImageLength);
    return kOk;
}

Code SourceContext::SetupMemoryTransfer(void* pData) {
    if (!Writable(pData, sizeof(TW_SETUPMEMXFER))) return kBadValue;
    const TW_IMAGEINFO info = DescribePicture(CurrentPicture());
    const TW_UINT32 row = BytesPerRow(info);
    *static_cast<TW_SETUPMEMXFER*>(pData) = {row, row * TW_UINT32(info.ImageLength), row * TW_UINT32(info.ImageLength)};
    return kOk;
}

TW_SETUPFILEXFER SourceContext::DefaultFileSetup() const {
    TW_SETUPFILEXFER setup{};
    std::memcpy(setup.FileName, kDefaultFileName, sizeof kDefaultFileName);
    setup.Format = TW_UINT16(capabilities_.CurrentNumber(ICAP_IMAGEFILEFORMAT).value_or(TWFF_BMP));
    return setup;
}

Code SourceContext::SetupFileTransfer(TW_UINT16 message, void* pData) {
    auto setup = static_cast<TW_SETUPFILEXFER*>(pData);
    if (message == MSG_SET) {
        if (!Readable(pData, sizeof *setup)) return kBadValue;
        if (setup->Format != TWFF_BMP || !AcceptableFileName(*setup)) return kBadValue;
        fileSetup_ = std::make_unique<TW_SETUPFILEXFER>(*setup);
        return kOk;
    }
    if (!Writable(pData, sizeof *setup)) return kBadValue;
    if (message == MSG_RESET) fileSetup_.reset();
    *setup = message == MSG_GET && fileSetup_ ? *fileSetup_ : DefaultFileSetup();
    return kOk;
}

Code SourceContext::Palette(void* pData) {
    if (!Writable(pData, sizeof(TW_PALETTE8))) return kBadValue;
    auto palette = static_cast<TW_PALETTE8*>(pData);
    uint16_t imageType = 0;
    if (UIODCGetImageType(&imageType) != kAcquireOk) {
        palette->NumColors = 0;
        return kSeqError;
    }
    palette->PaletteType = TWPA_RGB;
    BYTE channels[3][256] = {};
    // Without a palette the application's record is left as it gave it (its type aside).
    if (UIODCGetPalette(1, palette, channels[0], channels[1], channels[2]) != kAcquireOk) return kOk;
    const unsigned count = palette->NumColors < 256 ? palette->NumColors : 256;
    for (unsigned i = 0; i < count; ++i)
        palette->Colors[i] = {TW_UINT8(i), channels[0][i], channels[1][i], channels[2][i]};
    return kOk;
}

}  // namespace source

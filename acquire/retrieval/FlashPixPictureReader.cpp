#include "FlashPixPictureReader.h"

#include "DecodeCodes.h"
#include "ErrorDisplay.h"
#include "NIFError.h"
#include "NIFToolkit.h"
#include "ScopedSlot.h"

namespace acquire {
namespace {

// The toolkit's progress call carries no context: the decode in progress is the one the
// application's thread runs.
DecodeProgress* g_progress = nullptr;

short ToolkitProgress(long total, long done) { return g_progress && !g_progress->Continue(total, done) ? 1 : 0; }

// The toolkit not yet started answers a call on no image with NIF_NOT_STARTED.
bool ToolkitRunning() { return NIFCloseImage(nullptr) != NIF_NOT_STARTED; }

// An image open in the toolkit, which is started for the decode (and stopped after it) unless it
// already runs for someone else.
class ToolkitImage {
public:
    ToolkitImage() : ownStart_(!ToolkitRunning()), started_(!ownStart_ || NIFStartToolkit() == NIF_OK) {}
    ~ToolkitImage() {
        if (handle_) NIFCloseImage(handle_);
        if (ownStart_ && started_) NIFStopToolkit();
    }
    ToolkitImage(const ToolkitImage&) = delete;
    ToolkitImage& operator=(const ToolkitImage&) = delete;

    bool Open(const uint8_t* data, size_t size) {
        long width = 0, height = 0, kind = 0;
        if (!started_ || size > 0xFFFFFFFFu) return false;
        if (NIFOpenImageFromMemory(data, static_cast<unsigned long>(size), &handle_, &width, &height, &kind) != NIF_OK)
            return false;
        return kind == NIF_KIND_IMAGE || kind == NIF_KIND_VIEW || kind == NIF_KIND_SECOND_VIEW;
    }
    NIFHandle* handle() const { return handle_; }

private:
    bool ownStart_;
    bool started_;
    NIFHandle* handle_ = nullptr;
};

// Where the toolkit writes: red, green and blue of each stored pixel at the bitmap's placement.
NIFDestination DestinationFor(const PictureBitmap& bitmap) {
    const PictureBitmap::Placement p = bitmap.placement();
    NIFDestination d{};
    d.colorSpace = NIF_SPACE_RGB;
    d.channels = 3;
    for (int c = 0; c < 3; ++c) d.channel[c] = {p.origin + (2 - c), p.pixelStride, p.lineStride};
    return d;
}

}  // namespace

int FullSizeLevel(uint32_t width, uint32_t height) {
    int level = 0;
    for (; width > 64 || height > 64; ++level) width = (width + 1) / 2, height = (height + 1) / 2;
    return level;
}

int ReadFlashPixPicture(const uint8_t* data, size_t size, const PictureBitmap& bitmap, DecodeProgress* progress) {
    if (!data || !bitmap) return kErrUnexpected;
    ToolkitImage image;
    if (!image.Open(data, size)) return kErrFlashPixRefused;
    NIFImageInformation info{};
    if (NIFGetImageInformation(image.handle(), &info) != NIF_OK) return kErrFlashPixDecode;
    const bool colour = info.colorSpace == NIF_SPACE_RGB || info.colorSpace == NIF_SPACE_PHOTOYCC;
    if (!colour || info.channels != 3) return kErrFlashPixLayout;
    const uint32_t width = bitmap.storedWidth(), height = bitmap.storedHeight();
    if (uint32_t(info.width) != width || uint32_t(info.height) != height) return kErrUnexpected;
    const NIFDestination destination = DestinationFor(bitmap);
    ScopedSlot<DecodeProgress> scope(g_progress, progress);
    const int result = NIFReadRegion(image.handle(), 0, 0, long(width), long(height), FullSizeLevel(width, height),
                                     &destination, ToolkitProgress);
    if (result == NIF_STOPPED) return kErrCancelled;
    return result == NIF_OK ? 0 : kErrFlashPixDecode;
}

}  // namespace acquire

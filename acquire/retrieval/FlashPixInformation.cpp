#include "FlashPixInformation.h"

#include "NIFToolkit.h"
#include "RetrievalCodes.h"
#include "ThumbnailPixels.h"

#include <memory>
#include <new>

namespace acquire {
namespace {

// The toolkit started for one reading and stopped after it, so that nothing of it outlives the
// reading (OLE on this thread, the toolkit's state).
class ToolkitSession {
public:
    ToolkitSession() : started_(NIFStartToolkit() == NIF_OK) {}
    ~ToolkitSession() {
        if (started_) NIFStopToolkit();
    }
    ToolkitSession(const ToolkitSession&) = delete;
    ToolkitSession& operator=(const ToolkitSession&) = delete;
    explicit operator bool() const { return started_; }

private:
    bool started_;
};

struct ImageCloser {
    void operator()(NIFHandle* handle) const { NIFCloseImage(handle); }
};
using ImageHandle = std::unique_ptr<NIFHandle, ImageCloser>;

// The summary information's thumbnail, a packed 24-bit bitmap.
std::vector<BYTE> SummaryThumbnail(NIFHandle* image) {
    NIFSummaryInformation summary{};
    if (NIFGetSummaryInformation(image, &summary) != NIF_OK || !summary.thumbnail) return {};
    std::unique_ptr<uint8_t, void (*)(uint8_t*)> dib(summary.thumbnail, [](uint8_t* block) { NIFRelease(block); });
    if (summary.thumbnailSize < sizeof(BITMAPINFOHEADER)) return {};
    BITMAPINFOHEADER header;
    memcpy(&header, dib.get(), sizeof header);
    int64_t height = header.biHeight < 0 ? -int64_t(header.biHeight) : header.biHeight;
    if (header.biSize < sizeof header || header.biSize > summary.thumbnailSize || header.biBitCount != 24 ||
        header.biCompression != BI_RGB || header.biWidth <= 0 || header.biWidth > 4096 || height == 0 || height > 4096)
        return {};
    size_t stride = (size_t(header.biWidth) * 3 + 3) & ~size_t(3);
    if (stride * size_t(height) > summary.thumbnailSize - header.biSize) return {};
    return MakeThumbnail({dib.get() + header.biSize, int(header.biWidth), int(height), stride, header.biHeight > 0, false});
}

// The smallest resolution at least as large as a thumbnail, decoded and reduced.
std::vector<BYTE> DecodedThumbnail(NIFHandle* image, const NIFImageInformation& information) {
    int level = information.levels - 1;
    long width = information.width, height = information.height;
    while (level > 0 && (width + 1) / 2 >= kThumbWidth && (height + 1) / 2 >= kThumbHeight) {
        width = (width + 1) / 2;
        height = (height + 1) / 2;
        --level;
    }
    size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    std::unique_ptr<BYTE[]> bits(new (std::nothrow) BYTE[stride * size_t(height)]);
    if (!bits) return {};
    NIFDestination destination = NIFDestinationForBitmap(bits.get(), height, long(stride));
    if (NIFReadRegion(image, 0, 0, information.width, information.height, level, &destination, nullptr) != NIF_OK)
        return {};
    return MakeThumbnail({bits.get(), int(width), int(height), stride, true, false});
}

}  // namespace

int ReadFlashPixInformation(const BYTE* data, size_t size, PictureReading* reading) {
    ToolkitSession toolkit;
    if (!data || !toolkit) return kErrFlashPixRefused;
    NIFHandle* opened = nullptr;
    long width = 0, height = 0, kind = 0;
    if (NIFOpenImageFromMemory(data, static_cast<unsigned long>(size), &opened, &width, &height, &kind) != NIF_OK || !opened)
        return kErrFlashPixRefused;
    ImageHandle image(opened);
    NIFImageInformation information{};
    if (NIFGetImageInformation(image.get(), &information) != NIF_OK) return kErrFlashPixDecode;
    if (information.colorSpace != NIF_SPACE_RGB && information.colorSpace != NIF_SPACE_PHOTOYCC)
        return kErrFlashPixLayout;
    if (information.channels - information.hasOpacity != 3) return kErrFlashPixLayout;
    reading->format = kFormatFlashPix;
    reading->width = uint32_t(information.width);
    reading->height = uint32_t(information.height);
    reading->colour = true;
    reading->thumbnail = SummaryThumbnail(image.get());
    if (reading->thumbnail.empty()) reading->thumbnail = DecodedThumbnail(image.get(), information);
    if (reading->thumbnail.empty()) return kErrFlashPixDecode;
    return 0;
}

}  // namespace acquire

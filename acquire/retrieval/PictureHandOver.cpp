#include "PictureHandOver.h"

#include "DecodeCodes.h"
#include "ErrorDisplay.h"
#include "FlashPixPictureReader.h"
#include "JpegPictureReader.h"
#include "PictureData.h"
#include "PictureFormat.h"

namespace acquire {
namespace {

// Decoding takes the second half of the percentage shown.
class DecodeHalf : public DecodeProgress {
public:
    explicit DecodeHalf(TransferProgress* progress) : progress_(progress) {}
    bool Continue(long total, long done) noexcept override {
        const int percent = total > 0 ? int(int64_t(done) * 100 / total) : 100;
        return !progress_ || progress_->Show(50 + percent / 2);
    }

private:
    TransferProgress* progress_;
};

int FormatOf(const PictureEntry& entry) {
    const int stored = entry.information.fileFormat;
    if (entry.source == PictureEntry::Source::kCamera && (stored == kFormatJpeg || stored == kFormatFlashPix))
        return stored;
    return FormatOfFileName(entry.name);
}

int FetchData(const HandOverRequest& request, std::vector<uint8_t>* data) {
    const PictureEntry& entry = *request.entry;
    if (entry.source == PictureEntry::Source::kDisk) return ReadPictureFile(entry.name, data);
    if (!request.camera) return kErrUnexpected;
    return DownloadCameraPicture({request.camera, entry.cameraNumber, request.noDialog, request.owner, request.progress},
                                 data);
}

}  // namespace

int HandOverPicture(const HandOverRequest& request, HGLOBAL* bitmap) {
    if (!request.entry || !bitmap) return kErrUnexpected;
    *bitmap = nullptr;
    const PictureEntry& entry = *request.entry;
    const int format = FormatOf(entry);
    if (format != kFormatJpeg && format != kFormatFlashPix) return kErrUnknownFileType;
    std::vector<uint8_t> data;
    if (int result = FetchData(request, &data)) return result;
    PictureBitmap picture = PictureBitmap::Allocate(entry.width, entry.height, entry.rotation);
    if (!picture) return kErrNoMemory;
    DecodeHalf progress(request.progress);
    const int result = format == kFormatJpeg ? ReadJpegPicture(data.data(), data.size(), picture, &progress)
                                             : ReadFlashPixPicture(data.data(), data.size(), picture, &progress);
    if (result == 0) *bitmap = picture.Finish();
    return result;
}

}  // namespace acquire

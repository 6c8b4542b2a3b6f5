#include "PictureFile.h"

#include "ExifSegment.h"
#include "FlashPix.h"
#include "Jpeg.h"

namespace pvsim {
namespace {

bool isJpeg(const Bytes& f) { return f.size() > 3 && f[0] == 0xFF && f[1] == 0xD8 && f[2] == 0xFF; }
bool isCompoundFile(const Bytes& f) { return f.size() > 512 && f[0] == 0xD0 && f[1] == 0xCF && f[2] == 0x11 && f[3] == 0xE0; }

std::optional<PictureFacts> readJpeg(const Bytes& file) {
    auto preview = decodeJpeg(file.data(), file.size(), kExifThumbWidth);
    if (!preview) return std::nullopt;
    PictureFacts facts;
    facts.preview = std::move(*preview);
    if (auto meta = readJpegMaker(file.data(), file.size())) facts.meta = *meta;
    else facts.meta.quality = 0;   // not written by the camera: quality unknown
    facts.meta.format = 3;
    return facts;
}

std::optional<PictureFacts> readFlashPixFile(const Bytes& file) {
    auto fpx = readFlashPix(file);
    if (!fpx) return std::nullopt;
    return PictureFacts{fpx->meta, std::move(fpx->thumbnail)};
}

}  // namespace

Bytes writePicture(const Raster& picture, const PictureMeta& meta, const std::string& name) {
    if (meta.format == 4) return writeFlashPix(picture, meta, name);
    Bytes exif = buildExifSegment(meta, resize(picture, kExifThumbWidth, kExifThumbHeight));
    return encodeJpeg(picture, jpegQualityFor(meta.quality), exif);
}

std::optional<PictureFacts> readPicture(const Bytes& file) {
    if (isJpeg(file)) return readJpeg(file);
    if (isCompoundFile(file)) return readFlashPixFile(file);
    return std::nullopt;
}

}  // namespace pvsim

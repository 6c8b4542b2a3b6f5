#include <algorithm>
#include "PictureRecords.h"

#include "../imaging/Mosaic.h"
#include "../imaging/PictureFile.h"

#include <cstring>

namespace pvsim {
namespace {

std::optional<PictureFacts> factsOf(const Camera& cam, const Node& file) {
    auto data = cam.store.read(file);
    return data ? readPicture(*data) : std::nullopt;
}

}  // namespace

Bytes pictureInfoRecord(const Camera& cam, const Node& file) {
    Bytes r(256, 0);
    auto facts = factsOf(cam, file);
    std::error_code ec;
    if (facts) {
        r[2] = facts->meta.format;
        r[3] = facts->meta.resolution;
        r[4] = facts->meta.quality;
        putBe32(&r[12], facts->meta.taken);
    }
    putBe32(&r[16], static_cast<uint32_t>(fs::file_size(file.disk, ec)));
    std::string name = fs::path(file.relative).filename().string();
    std::memcpy(&r[32], name.data(), std::min<size_t>(name.size(), 223));
    return r;
}

Bytes pictureThumbnail(const Camera& cam, const Node& file) {
    auto facts = factsOf(cam, file);
    if (!facts || facts->preview.width == 0) return Bytes(kMosaicSize, 0x88);
    return mosaicOf(facts->preview);
}

}  // namespace pvsim

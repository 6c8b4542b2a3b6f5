#include "TileDecoder.h"

#include "NIFError.h"

#include <cstring>
#include <new>

namespace nif {
namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kSingleColor = 1;
constexpr uint32_t kJpeg = 2;

}  // namespace

TileDecoder::TileDecoder(Levels& levels, TileCache& cache, std::map<uint32_t, std::vector<uint8_t>> jpegTables)
    : levels_(levels), cache_(cache) {
    jpeg_.setTables(std::move(jpegTables));
}

// The buffer grows to the largest stored tile of the level before the tile is read into it.
int TileDecoder::readIntoWorkBuffer(NIFResolutionary& r, uint32_t tile) {
    if (jpegBuffer_.capacity() < r.largestTile() + 128u) {
        try {
            jpegBuffer_.reserve(r.largestTile() + 128u);
        } catch (const std::bad_alloc&) {
            return Fail(NIF_OUT_OF_MEMORY, "Can't allocate jpegBuffer in NIFImage::readAndDecompressTile");
        }
    }
    return r.readTile(tile, jpegBuffer_);
}

int TileDecoder::decompress(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels) {
    NIFResolutionary& r = *levels_[level];
    const NIFTileHeader& t = r.tileHeader(tile);
    const int channels = r.colorSpace().channels();
    if (t.compression == kSingleColor) {
        for (int c = 0; c < channels; ++c)
            std::memset(pixels + c * kTilePlane, static_cast<uint8_t>(t.subtype >> (8 * c)), kTilePlane);
        return NIF_OK;
    }
    if (t.compression == kJpeg) return decompressJpeg(level, tile, rowEnd, pixels);
    if (t.compression != kUncompressed)
        return Fail(NIF_BAD_FILE, "Unrecognized compression type in NIFImage::readAndDecompressTile.");
    if (int rc = readIntoWorkBuffer(r, tile)) return rc;
    if (jpegBuffer_.size() < DecodedTileBytes(channels))
        return Fail(NIF_BAD_FILE, "Uncompressed tile too short in NIFImage::readAndDecompressTile.");
    // Stored pixel after pixel.
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < kTilePlane; ++i) pixels[c * kTilePlane + i] = jpegBuffer_[size_t(i) * channels + c];
    return NIF_OK;
}

// The JPEG tiles that follow in the row, not yet decoded and of the same sub-type, go into one
// run when the decoder can join them.
void TileDecoder::startRun(int level, uint32_t tile, uint32_t rowEnd) {
    NIFResolutionary& r = *levels_[level];
    const uint32_t subtype = r.tileHeader(tile).subtype;
    runTiles_.clear();
    for (uint32_t t = tile; t < rowEnd && runTiles_.size() < NIFJPEGer::kMaxRunTiles; ++t) {
        const NIFTileHeader& h = r.tileHeader(t);
        NIFJPEGer::TileStream s{};
        if (h.compression != kJpeg || h.subtype != subtype || (t != tile && cache_.holds(level, t)) ||
            !r.tileBytes(t, &s.data, &s.size))
            break;
        runTiles_.push_back(s);
    }
    const size_t joined = jpeg_.startRun(runTiles_, subtype, r.colorSpace().channels());
    run_ = {level, tile, tile + static_cast<uint32_t>(joined)};
}

int TileDecoder::decompressJpeg(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels) {
    if (run_.level != level || run_.next != tile || run_.next == run_.end) startRun(level, tile, rowEnd);
    if (run_.next < run_.end) {
        const int rc = jpeg_.decompressRunTile(pixels);
        run_.next = rc ? run_.end : run_.next + 1;
        return rc;
    }
    NIFResolutionary& r = *levels_[level];
    const NIFTileHeader& t = r.tileHeader(tile);
    if (int rc = readIntoWorkBuffer(r, tile)) return rc;
    return jpeg_.decompressTile(jpegBuffer_.data(), t.size, t.subtype, r.colorSpace().channels(), pixels);
}

int TileDecoder::tile(int level, uint32_t tile, uint32_t rowEnd, const uint8_t** pixels) {
    if ((*pixels = cache_.find(level, tile))) return NIF_OK;
    uint8_t* out = cache_.claim(level, tile, DecodedTileBytes(levels_[level]->colorSpace().channels()));
    if (int rc = decompress(level, tile, rowEnd, out ? out : uncached_)) {
        if (out) cache_.giveUp(level, tile);
        return rc;
    }
    if (out) cache_.makeReady(level, tile);
    *pixels = out ? out : uncached_;
    return NIF_OK;
}

}  // namespace nif

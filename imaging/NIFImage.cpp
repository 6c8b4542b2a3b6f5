#include "NIFImage.h"

#include "DecodedTile.h"
#include "FpxIds.h"
#include "NIFError.h"
#include "RegionWriter.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kSingleColor = 1;
constexpr uint32_t kJpeg = 2;
constexpr int kTileSide = nif::kTileSide;

int ContentsFailure(const char* what) {
    return nif::Fail(NIF_BAD_FILE, std::string(what) + " in NIFImage::loadContents.");
}

// The image contents section; a writer that filed it under another format identifier still
// has it as the only section of the stream.
const NIFPropSection* ContentsSection(NIFPropertySet& set) {
    if (const NIFPropSection* s = set.GetSection(nif::kImageContentsFormat)) return s;
    return set.GetNumberOfSections() == 1 ? set.GetSection(set.GetSectionFormatId(0)) : nullptr;
}

long ScaleDown(long v, int shift, bool roundUp) {
    return static_cast<long>((static_cast<long long>(v) + (roundUp ? (1LL << shift) - 1 : 0)) >> shift);
}

}  // namespace

int NIFImage::Open(const NIFStorage& storage, std::unique_ptr<NIFImage>* out) {
    std::unique_ptr<NIFImage> image(new (std::nothrow) NIFImage(storage));
    if (!image) return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate image in NIFImage::Open.");
    if (int rc = image->loadContents()) return rc;
    *out = std::move(image);
    return NIF_OK;
}

int NIFImage::loadContents() {
    NIFPropertySet* set = nullptr;
    if (int rc = storage_.OpenPropertySet(L"\005Image Contents", &set)) return rc;
    std::unique_ptr<NIFPropertySet> owned(set);
    const NIFPropSection* contents = ContentsSection(*set);
    if (!contents) return ContentsFailure("No image contents section");
    uint32_t count = 0, width = 0, height = 0;
    const NIFExtProperty* p = contents->GetProperty(nif::kPidResolutionCount);
    if (!p || !p->Get(&count) || count == 0 || count > kMaxLevels) return ContentsFailure("Bad number of resolutions");
    for (uint32_t level = 0; level < count; ++level) {
        auto r = std::make_unique<NIFResolutionary>(storage_, *contents, static_cast<int>(level));
        if (!r->ok()) return nif::LastCode();
        levels_.push_back(std::move(r));
    }
    p = contents->GetProperty(nif::kPidFullWidth);
    const NIFExtProperty* h = contents->GetProperty(nif::kPidFullHeight);
    if (!p || !h || !p->Get(&width) || !h->Get(&height) || width != uint32_t(full().width()) ||
        height != uint32_t(full().height()))
        return ContentsFailure("Full size differs from the largest resolution");
    return loadJpegTables(*contents);
}

int NIFImage::loadJpegTables(const NIFPropSection& contents) {
    std::map<uint32_t, std::vector<uint8_t>> tables;
    for (uint32_t index = 1; index < 256; ++index) {
        const NIFExtProperty* p = contents.GetProperty(nif::kPidJpegTablesBase | index << 16);
        if (!p) continue;
        if (!p->GetBlob())
            return nif::Fail(NIF_BAD_FILE, " NIF_JPEGTABLES property is wrong VT_TYPE in  NIFImage::loadJpegTables.");
        tables[index] = *p->GetBlob();
    }
    jpeg_.setTables(std::move(tables));
    return NIF_OK;
}

// The buffer grows to the largest stored tile of the level before the tile is read into it.
int NIFImage::readIntoWorkBuffer(NIFResolutionary& r, uint32_t tile) {
    if (jpegBuffer_.capacity() < r.largestTile() + 128u) {
        try {
            jpegBuffer_.reserve(r.largestTile() + 128u);
        } catch (const std::bad_alloc&) {
            return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate jpegBuffer in NIFImage::readAndDecompressTile");
        }
    }
    return r.readTile(tile, jpegBuffer_);
}

int NIFImage::decompress(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels) {
    NIFResolutionary& r = *levels_[level];
    const NIFTileHeader& t = r.tileHeader(tile);
    const int channels = r.colorSpace().channels();
    if (t.compression == kSingleColor) {
        for (int c = 0; c < channels; ++c)
            std::memset(pixels + c * nif::kTilePlane, static_cast<uint8_t>(t.subtype >> (8 * c)), nif::kTilePlane);
        return NIF_OK;
    }
    if (t.compression == kJpeg) return decompressJpeg(level, tile, rowEnd, pixels);
    if (t.compression != kUncompressed)
        return nif::Fail(NIF_BAD_FILE, "Unrecognized compression type in NIFImage::readAndDecompressTile.");
    if (int rc = readIntoWorkBuffer(r, tile)) return rc;
    if (jpegBuffer_.size() < nif::DecodedTileBytes(channels))
        return nif::Fail(NIF_BAD_FILE, "Uncompressed tile too short in NIFImage::readAndDecompressTile.");
    // Stored pixel after pixel.
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < nif::kTilePlane; ++i)
            pixels[c * nif::kTilePlane + i] = jpegBuffer_[size_t(i) * channels + c];
    return NIF_OK;
}

// The JPEG tiles that follow in the row, not yet decoded and of the same sub-type, go into one
// run when the decoder can join them.
void NIFImage::startRun(int level, uint32_t tile, uint32_t rowEnd) {
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

int NIFImage::decompressJpeg(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels) {
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

int NIFImage::readAndDecompressTile(int level, uint32_t tile, uint32_t rowEnd, const uint8_t** pixels) {
    if ((*pixels = cache_.find(level, tile))) return NIF_OK;
    uint8_t* out = cache_.claim(level, tile, nif::DecodedTileBytes(levels_[level]->colorSpace().channels()));
    if (int rc = decompress(level, tile, rowEnd, out ? out : uncached_)) {
        if (out) cache_.giveUpLastClaim();
        return rc;
    }
    *pixels = out ? out : uncached_;
    return NIF_OK;
}

int NIFImage::readRegion(long left, long top, long right, long bottom, int level, const NIFDestination& destination,
                         NIFProgressFunc progress) {
    const NIFResolutionary& r = *levels_[level];
    const nif::ColorSpace& stored = r.colorSpace();
    const NIFColorConv* converter = nullptr;
    if (!nif::ConverterFor(stored, destination, &converter))
        return nif::Fail(NIF_COLOR_MISMATCH, "Stored color space cannot be converted in NIFImage::readRegion.");
    const int shift = levels() - 1 - level;
    const long x0 = std::max(0L, ScaleDown(left, shift, false)), y0 = std::max(0L, ScaleDown(top, shift, false));
    const long x1 = std::min<long>(r.width(), ScaleDown(right, shift, true));
    const long y1 = std::min<long>(r.height(), ScaleDown(bottom, shift, true));
    if (x0 >= x1 || y0 >= y1) return NIF_OK;
    const nif::RegionWriter writer(destination, stored, x0, y0, converter);
    const long tx0 = x0 / kTileSide, tx1 = (x1 - 1) / kTileSide, ty0 = y0 / kTileSide, ty1 = (y1 - 1) / kTileSide;
    const long total = (tx1 - tx0 + 1) * (ty1 - ty0 + 1);
    long done = 0;
    for (long ty = ty0; ty <= ty1; ++ty) {
        const uint32_t rowStart = static_cast<uint32_t>(ty * r.tilesAcross());
        const uint32_t rowEnd = rowStart + static_cast<uint32_t>(tx1 + 1);
        for (long tx = tx0; tx <= tx1; ++tx, ++done) {
            const uint8_t* pixels = nullptr;
            if (int rc = readAndDecompressTile(level, rowStart + static_cast<uint32_t>(tx), rowEnd, &pixels)) return rc;
            const long px = tx * kTileSide, py = ty * kTileSide;
            const nif::Span part{std::max(px, x0), std::max(py, y0), std::min(px + kTileSide, x1) - std::max(px, x0),
                                 std::min(py + kTileSide, y1) - std::max(py, y0)};
            writer.write(pixels, px, py, part);
        }
        if (progress && progress(total, done))
            return nif::Fail(NIF_STOPPED, "Decode stopped by the progress callback in NIFImage::readRegion.");
    }
    return NIF_OK;
}

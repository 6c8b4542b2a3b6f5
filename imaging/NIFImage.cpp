#include "NIFImage.h"

#include "DecodedTile.h"
#include "FpxIds.h"
#include "NIFError.h"
#include "ParallelRows.h"
#include "ToolkitState.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

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
    jpegTables_ = std::move(tables);
    return NIF_OK;
}

// Helpers only when the level's tiles are in memory: the storage is not read from their
// threads.
int NIFImage::threadsFor(int level, long rows) {
    const nif::ToolkitState* state = nif::ToolkitState::Get();
    int threads = reading_ ? 1 : static_cast<int>(std::min<long>(rows, state ? state->decodeThreads() : 1));
    if (threads > 1 && levels_[level]->loadData() != NIF_OK) threads = 1;
    try {
        while (decoders_.size() < size_t(threads))
            decoders_.push_back(std::make_unique<nif::TileDecoder>(levels_, cache_, jpegTables_));
    } catch (const std::bad_alloc&) {
        if (decoders_.empty()) return 0;
    }
    return std::min(threads, static_cast<int>(decoders_.size()));
}

// The tiles of row ty that the area covers, decoded and written.
int NIFImage::decodeTileRow(nif::TileDecoder& decoder, const nif::RegionWriter& writer, int level, const Area& area,
                            long ty) {
    const uint32_t rowStart = static_cast<uint32_t>(ty * levels_[level]->tilesAcross());
    const uint32_t rowEnd = rowStart + static_cast<uint32_t>(area.tx1 + 1);
    for (long tx = area.tx0; tx <= area.tx1; ++tx) {
        const uint8_t* pixels = nullptr;
        if (int rc = decoder.tile(level, rowStart + static_cast<uint32_t>(tx), rowEnd, &pixels)) return rc;
        const long px = tx * kTileSide, py = ty * kTileSide;
        const long x = std::max(px, area.x0), y = std::max(py, area.y0);
        writer.write(pixels, px, py, {x, y, std::min(px + kTileSide, area.x1) - x, std::min(py + kTileSide, area.y1) - y});
    }
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
    Area a{};
    a.x0 = std::max(0L, ScaleDown(left, shift, false)), a.y0 = std::max(0L, ScaleDown(top, shift, false));
    a.x1 = std::min<long>(r.width(), ScaleDown(right, shift, true));
    a.y1 = std::min<long>(r.height(), ScaleDown(bottom, shift, true));
    if (a.x0 >= a.x1 || a.y0 >= a.y1) return NIF_OK;
    a.tx0 = a.x0 / kTileSide, a.tx1 = (a.x1 - 1) / kTileSide;
    const long ty0 = a.y0 / kTileSide, rows = (a.y1 - 1) / kTileSide - ty0 + 1, across = a.tx1 - a.tx0 + 1;
    const int threads = threadsFor(level, rows);
    if (threads == 0) return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate tile decoder in NIFImage::readRegion.");
    const nif::RegionWriter writer(destination, stored, a.x0, a.y0, converter);
    const auto decodeRow = [&](int worker, long row) {
        return decodeTileRow(*decoders_[worker], writer, level, a, ty0 + row);
    };
    const auto report = [&](long row) -> int {
        if (progress && progress(across * rows, across * (row + 1)))
            return nif::Fail(NIF_STOPPED, "Decode stopped by the progress callback in NIFImage::readRegion.");
        return NIF_OK;
    };
    const bool nested = std::exchange(reading_, true);
    const int rc = nif::ForEachRow(rows, threads - 1, decodeRow, report);
    reading_ = nested;
    return rc;
}

#include "NIFResolutionary.h"

#include "ByteOrder.h"
#include "FpxIds.h"
#include "NIFError.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

constexpr uint32_t kStreamPrefixBytes = 28;   // byte order, format, OS version, class, reserved
constexpr uint32_t kMaxSide = 1u << 16;
constexpr uint32_t kMaxTiles = 1u << 20;
constexpr uint32_t kMinEntryLength = 16;
constexpr uint32_t kSingleColor = 1;

const char* const kWhere = " NIFResolutionary::NIFResolutionary.";

bool Missing(const char* name) {
    nif::Fail(NIF_BAD_FILE, std::string("Failed to get ") + name + " property in " + kWhere);
    return false;
}

bool WrongType(const char* name) {
    nif::Fail(NIF_BAD_FILE, std::string(" ") + name + " property is wrong VT_TYPE in " + kWhere);
    return false;
}

bool Malformed(const char* what) {
    nif::Fail(NIF_BAD_FILE, std::string(what) + " in NIFResolutionary::readHeader.");
    return false;
}

std::wstring Numbered(const wchar_t* pattern, int n) {
    wchar_t name[64];
    std::swprintf(name, 64, pattern, n);
    return name;
}

}  // namespace

NIFResolutionary::NIFResolutionary(NIFStorage& image, const NIFPropSection& contents, int level) : level_(level) {
    ok_ = readProperties(contents) && openStreams(image) && readHeader();
}

bool NIFResolutionary::readProperties(const NIFPropSection& contents) {
    const uint32_t at = uint32_t(level_) << 16;
    struct Need {
        uint32_t id;
        const char* name;
    };
    for (Need n : {Need{nif::kPidSubimageWidth, "NIF_SUBIWIDTH"}, Need{nif::kPidSubimageHeight, "NIF_SUBIHEIGHT"},
                   Need{nif::kPidSubimageColor, "NIF_SUBICOLOR"}, Need{nif::kPidSubimageFormat, "NIF_SUBINUMFORMAT"},
                   Need{nif::kPidDecimation, "NIF_DECIMATION"}})
        if (!contents.GetProperty(n.id | at)) return Missing(n.name);
    uint32_t w, h;
    int32_t decimation;
    if (!contents.GetProperty(nif::kPidSubimageWidth | at)->Get(&w) || w == 0 || w > kMaxSide)
        return WrongType("NIF_SUBIWIDTH");
    if (!contents.GetProperty(nif::kPidSubimageHeight | at)->Get(&h) || h == 0 || h > kMaxSide)
        return WrongType("NIF_SUBIHEIGHT");
    const std::vector<uint8_t>* blob = contents.GetProperty(nif::kPidSubimageColor | at)->GetBlob();
    if (!blob) return WrongType("NIF_SUBICOLOR");
    if (contents.GetProperty(nif::kPidSubimageFormat | at)->GetType() != (VT_VECTOR | VT_UI4))
        return WrongType("NIF_SUBINUMFORMAT");
    if (!contents.GetProperty(nif::kPidDecimation | at)->Get(&decimation)) return WrongType("NIF_DECIMATION");
    if (!nif::ParseColorSpace(*blob, &color_)) {
        nif::Fail(NIF_BAD_FILE, std::string("Unsupported sub-image color in ") + kWhere);
        return false;
    }
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    return true;
}

bool NIFResolutionary::openStreams(NIFStorage& image) {
    NIFStorage* storage = nullptr;
    NIFExtFpxStream* header = nullptr;
    NIFExtStream* data = nullptr;
    if (image.OpenStorage(Numbered(L"Resolution %04d", level_).c_str(), &storage)) return false;
    storage_.reset(storage);
    if (storage->OpenFpxStream(L"Subimage 0000 Header", &header)) return false;
    header_.reset(header);
    if (storage->OpenStream(L"Subimage 0000 Data", &data)) return false;
    data_.reset(data);
    return data->GetEndOfFile(&dataSize_) == NIF_OK;
}

bool NIFResolutionary::readHeader() {
    enum { kLength, kWidth, kHeight, kTiles, kTileWidth, kTileHeight, kChannels, kTableOffset, kEntryLength, kFields };
    uint32_t f[kFields];
    uint64_t headerSize = 0;
    if (header_->GetEndOfFile(&headerSize) || header_->Seek(kStreamPrefixBytes) || header_->ReadU32s(f, kFields))
        return false;
    if (f[kWidth] != uint32_t(width_) || f[kHeight] != uint32_t(height_))
        return Malformed("Sub-image size differs from its property");
    if (f[kTileWidth] != nif::kTileSide || f[kTileHeight] != nif::kTileSide) return Malformed("Unsupported tile size");
    if (f[kTiles] != uint32_t(tilesAcross() * tilesDown()) || f[kTiles] > kMaxTiles) return Malformed("Wrong tile count");
    if (f[kChannels] != uint32_t(color_.channels())) return Malformed("Channel count differs from the sub-image color");
    const uint64_t table = uint64_t(kStreamPrefixBytes) + f[kTableOffset];
    const uint32_t entry = f[kEntryLength];
    if (entry < kMinEntryLength || entry > 1024 || table + uint64_t(f[kTiles]) * entry > headerSize)
        return Malformed("Tile header table outside its stream");
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size_t(f[kTiles]) * entry);
        tiles_.resize(f[kTiles]);
    } catch (const std::bad_alloc&) {
        nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate tile header table in NIFResolutionary::readHeader.");
        return false;
    }
    if (header_->Seek(table) || header_->ReadFromFile(bytes.data(), static_cast<uint32_t>(bytes.size()))) return false;
    for (uint32_t t = 0; t < f[kTiles]; ++t) {
        const uint8_t* e = bytes.data() + size_t(t) * entry;
        tiles_[t] = {nif::LoadU32(e), nif::LoadU32(e + 4), nif::LoadU32(e + 8), nif::LoadU32(e + 12)};
        if (tiles_[t].compression > kSingleColor && tiles_[t].size <= kMaxTileBytes)
            largestTile_ = std::max(largestTile_, tiles_[t].size);
    }
    return true;
}

// Offsets count from the end of the data stream's prefix.
bool NIFResolutionary::inDataStream(uint32_t tile) const {
    const NIFTileHeader& t = tiles_[tile];
    return t.size <= kMaxTileBytes && uint64_t(kStreamPrefixBytes) + t.offset + t.size <= dataSize_;
}

// The stream is read once: reading through the storage tile by tile walks its sector chain
// again for every tile.
int NIFResolutionary::loadData() {
    if (!dataBytes_.empty() || !dataSize_) return NIF_OK;
    return data_->ReadAll(dataBytes_, dataSize_);
}

int NIFResolutionary::readTile(uint32_t tile, std::vector<uint8_t>& out) {
    if (tile >= tiles_.size()) return nif::Fail(NIF_BAD_FILE, "TileNumber too large in NIFResolutionary::readTile.");
    if (!inDataStream(tile))
        return nif::Fail(NIF_BAD_FILE, "Tile outside its data stream in NIFResolutionary::readTile.");
    if (int rc = loadData()) return rc;
    const uint8_t* at = dataBytes_.data() + kStreamPrefixBytes + tiles_[tile].offset;
    out.assign(at, at + tiles_[tile].size);
    return NIF_OK;
}

bool NIFResolutionary::tileBytes(uint32_t tile, const uint8_t** data, size_t* size) {
    if (tile >= tiles_.size() || !inDataStream(tile) || loadData()) return false;
    *data = dataBytes_.data() + kStreamPrefixBytes + tiles_[tile].offset;
    *size = tiles_[tile].size;
    return true;
}

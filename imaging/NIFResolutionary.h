// One resolution of a FlashPix image: its size and colour, its tile header table and the
// stream that holds its tiles.
#pragma once

#include "ColorSpace.h"
#include "NIFStorage.h"

#include <memory>
#include <vector>

struct NIFTileHeader {
    uint32_t offset;
    uint32_t size;
    uint32_t compression;   // 0 uncompressed, 1 single colour, 2 JPEG
    uint32_t subtype;
};

class NIFResolutionary {
public:
    // Largest stored tile that is read: an uncompressed 64 x 64 tile of four channels is 16 KiB,
    // a JPEG tile is smaller.
    static constexpr uint32_t kMaxTileBytes = 1u << 20;

    // Reads the resolution's properties from the image contents and its header from the
    // storage "Resolution %04d"; on failure the error is recorded and ok() is false.
    NIFResolutionary(NIFStorage& image, const NIFPropSection& contents, int level);

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int tilesAcross() const { return (width_ + 63) / 64; }
    int tilesDown() const { return (height_ + 63) / 64; }
    const nif::ColorSpace& colorSpace() const { return color_; }
    const NIFTileHeader& tileHeader(uint32_t tile) const { return tiles_[tile]; }
    uint32_t largestTile() const { return largestTile_; }

    // Reads the tiles' stream into memory, once. After it has succeeded, readTile and tileBytes
    // only read what it holds and may be called from several threads at once.
    int loadData();
    // The stored bytes of a tile into out (resized to fit).
    int readTile(uint32_t tile, std::vector<uint8_t>& out);
    // Where the stored bytes of a tile lie, for as long as the resolution lives; false when
    // readTile would fail.
    bool tileBytes(uint32_t tile, const uint8_t** data, size_t* size);

private:
    bool readProperties(const NIFPropSection& contents);
    bool openStreams(NIFStorage& image);
    bool readHeader();
    bool inDataStream(uint32_t tile) const;

    int level_;
    bool ok_ = false;
    int width_ = 0;
    int height_ = 0;
    nif::ColorSpace color_;
    std::vector<NIFTileHeader> tiles_;
    uint32_t largestTile_ = 0;
    std::unique_ptr<NIFStorage> storage_;
    std::unique_ptr<NIFExtFpxStream> header_;
    std::unique_ptr<NIFExtStream> data_;
    uint64_t dataSize_ = 0;
    std::vector<uint8_t> dataBytes_;
};

// Decompression of JPEG tiles with libjpeg: the image's shared JPEG tables, and the tile's
// sub-type (table selection, chroma subsampling, internal colour conversion). Consecutive tiles
// that allow it are decoded as one run, through one joined stream (see JpegTileJoin.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// Largest JPEG table stream accepted.
constexpr uint32_t NIF_MAX_TABLE_STREAM_SIZE = 32 * 1024;

class NIFJPEGer {
public:
    // A run joins at most this many tiles (a joined picture is at most 65500 pixels high).
    static constexpr size_t kMaxRunTiles = 256;

    struct TileStream {
        const uint8_t* data;
        size_t size;
    };

    NIFJPEGer();
    ~NIFJPEGer();
    NIFJPEGer(const NIFJPEGer&) = delete;
    NIFJPEGer& operator=(const NIFJPEGer&) = delete;

    // The table streams by index (1 to 255), as the image contents hold them.
    void setTables(std::map<uint32_t, std::vector<uint8_t>> tables) { tables_ = std::move(tables); }
    // Decodes one tile of channels samples per pixel into out (laid out as DecodedTile.h says).
    int decompressTile(const uint8_t* data, size_t size, uint32_t subtype, int channels, uint8_t* out);

    // Starts a run with as many of the tiles (all of the given sub-type, in decoding order) as
    // can be joined to the first, and answers their number: 0 when the first cannot start a
    // run, which it then decodes with decompressTile. The tiles' bytes must stay in place
    // until the run ends.
    size_t startRun(const std::vector<TileStream>& tiles, uint32_t subtype, int channels);
    // Decodes the run's next tile into out; the run ends after its last tile or a failure.
    int decompressRunTile(uint8_t* out);
    void endRun();

private:
    struct Decoder;
    int selectTables(uint32_t index);
    bool joinableSubtype(uint32_t subtype);

    std::map<uint32_t, std::vector<uint8_t>> tables_;
    std::unique_ptr<Decoder> decoder_;
    std::vector<uint8_t> runStream_;
    size_t runTilesLeft_ = 0;
};

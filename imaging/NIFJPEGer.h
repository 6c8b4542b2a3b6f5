// Decompression of JPEG tiles with libjpeg: the image's shared JPEG tables, and the tile's
// sub-type (table selection, chroma subsampling, internal colour conversion).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// Largest JPEG table stream accepted.
constexpr uint32_t NIF_MAX_TABLE_STREAM_SIZE = 32 * 1024;

class NIFJPEGer {
public:
    NIFJPEGer();
    ~NIFJPEGer();
    NIFJPEGer(const NIFJPEGer&) = delete;
    NIFJPEGer& operator=(const NIFJPEGer&) = delete;

    // The table streams by index (1 to 255), as the image contents hold them.
    void setTables(std::map<uint32_t, std::vector<uint8_t>> tables) { tables_ = std::move(tables); }
    // Decodes one 64 x 64 tile of channels interleaved samples into out.
    int decompressTile(const uint8_t* data, size_t size, uint32_t subtype, int channels, uint8_t* out);

private:
    struct Decoder;
    int selectTables(uint32_t index);

    std::map<uint32_t, std::vector<uint8_t>> tables_;
    std::unique_ptr<Decoder> decoder_;
};

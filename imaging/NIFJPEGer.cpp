#include "NIFJPEGer.h"

#include "DecodedTile.h"
#include "JpegTileJoin.h"
#include "NIFError.h"
#include "TileUpsampler.h"

#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    void* jump[5];   // for the compiler's own setjmp, which needs no unwinding support
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr common) {
    auto* e = reinterpret_cast<ErrorManager*>(common->err);
    common->err->format_message(common, e->message);
    __builtin_longjmp(e->jump, 1);
}

// Warnings about damaged data are not reported: the tile decodes as far as it can.
void OnMessage(j_common_ptr, int) {}

struct SubType {
    uint32_t interleave, chroma, convert, table;
    explicit SubType(uint32_t v)
        : interleave(v & 0xFF), chroma(v >> 8 & 0xFF), convert(v >> 16 & 0xFF), table(v >> 24 & 0xFF) {}
};

bool KnownChroma(uint32_t chroma) { return chroma == 0 || chroma == 0x11 || chroma == 0x12 || chroma == 0x21 || chroma == 0x22; }

// Components as stored: two (monochrome with opacity) have no space of libjpeg's own and pass
// through unchanged.
J_COLOR_SPACE StoredSpace(int channels) {
    switch (channels) {
    case 1: return JCS_GRAYSCALE;
    case 3: return JCS_YCbCr;
    case 4: return JCS_CMYK;
    default: return JCS_UNKNOWN;
    }
}

int Unsupported() { return nif::Fail(NIF_BAD_FILE, "Unsupported JPEG sub-type in NIFJPEGer::decompressTile."); }

}  // namespace

struct NIFJPEGer::Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager error{};
    int loadedTable = -1;
    // The components of a run's current tile, each at its own sampling.
    uint8_t planes[4][nif::kTilePlane];

    Decoder() {
        cinfo.err = jpeg_std_error(&error.base);
        error.base.error_exit = OnError;
        error.base.emit_message = OnMessage;
        jpeg_create_decompress(&cinfo);
    }
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }

    int fail() {
        jpeg_abort_decompress(&cinfo);
        loadedTable = -1;
        return nif::Fail(NIF_JPEG_FAILED, std::string(error.message) + " in NIFJPEGer::decompressTile.");
    }

    // Only plain data lives in these frames, so that leaving them by longjmp is safe.
    int loadTables(const uint8_t* data, size_t size, int index) {
        if (__builtin_setjmp(error.jump)) return fail();
        jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&cinfo, FALSE) != JPEG_HEADER_TABLES_ONLY) {
            std::snprintf(error.message, sizeof error.message, "No JPEG tables in table stream %d", index);
            return fail();
        }
        loadedTable = index;
        return NIF_OK;
    }

    int decode(const uint8_t* data, size_t size, bool convert, int channels, uint8_t* out) {
        if (__builtin_setjmp(error.jump)) return fail();
        jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        jpeg_read_header(&cinfo, TRUE);
        if (cinfo.image_width != nif::kTileSide || cinfo.image_height != nif::kTileSide ||
            cinfo.num_components != channels) {
            std::snprintf(error.message, sizeof error.message, "JPEG tile does not match its resolution");
            return fail();
        }
        cinfo.jpeg_color_space = StoredSpace(channels);
        cinfo.out_color_space = convert ? JCS_RGB : cinfo.jpeg_color_space;
        jpeg_start_decompress(&cinfo);
        uint8_t pixels[nif::kTileSide * 4];
        while (cinfo.output_scanline < cinfo.output_height) {
            uint8_t* row = out + cinfo.output_scanline * nif::kTileSide;
            JSAMPROW rows[1] = {pixels};
            jpeg_read_scanlines(&cinfo, rows, 1);
            for (int c = 0; c < channels; ++c)
                for (int x = 0; x < nif::kTileSide; ++x) row[c * nif::kTilePlane + x] = pixels[x * channels + c];
        }
        jpeg_finish_decompress(&cinfo);
        return NIF_OK;
    }

    // A joined stream, decoded to its components as they are stored; false when libjpeg refuses
    // it (nothing is recorded: its first tile then decodes on its own and says why).
    bool startRaw(const uint8_t* data, size_t size, int channels) {
        if (__builtin_setjmp(error.jump)) {
            jpeg_abort_decompress(&cinfo);
            return false;
        }
        jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.jpeg_color_space = StoredSpace(channels);
        cinfo.raw_data_out = TRUE;
        jpeg_start_decompress(&cinfo);
        return true;
    }

    // The next 64 rows of the joined picture (one tile) into the tile's planes: components at
    // full size straight, subsampled ones through the decoder's planes.
    int readRawTile(uint8_t* out) {
        if (__builtin_setjmp(error.jump)) return fail();
        const int rowsPerRead = cinfo.max_v_samp_factor * DCTSIZE;
        for (int y = 0; y < nif::kTileSide; y += rowsPerRead) {
            JSAMPROW rows[4][2 * DCTSIZE];
            JSAMPARRAY components[4];
            for (int c = 0; c < cinfo.num_components; ++c) {
                const nif::Plane p = plane(c);
                uint8_t* to = subsampled(p) ? planes[c] : out + c * nif::kTilePlane;
                const int first = y * p.height / nif::kTileSide;
                for (int i = 0; i < cinfo.comp_info[c].v_samp_factor * DCTSIZE; ++i)
                    rows[c][i] = to + (first + i) * p.width;
                components[c] = rows[c];
            }
            jpeg_read_raw_data(&cinfo, components, rowsPerRead);
        }
        for (int c = 0; c < cinfo.num_components; ++c)
            if (subsampled(plane(c))) nif::UpsampleInto(plane(c), out + c * nif::kTilePlane);
        return NIF_OK;
    }

    static bool subsampled(const nif::Plane& p) { return p.width < nif::kTileSide || p.height < nif::kTileSide; }

    nif::Plane plane(int c) const {
        const jpeg_component_info& comp = cinfo.comp_info[c];
        return {planes[c], nif::kTileSide * comp.h_samp_factor / cinfo.max_h_samp_factor,
                nif::kTileSide * comp.v_samp_factor / cinfo.max_v_samp_factor};
    }
};

NIFJPEGer::NIFJPEGer() : decoder_(std::make_unique<Decoder>()) {}
NIFJPEGer::~NIFJPEGer() = default;

int NIFJPEGer::selectTables(uint32_t index) {
    if (index == 0 || int(index) == decoder_->loadedTable) return NIF_OK;
    auto it = tables_.find(index);
    if (it == tables_.end())
        return nif::Fail(NIF_BAD_FILE, "JPEG tables of the tile are missing in NIFJPEGer::decompressTile.");
    if (it->second.size() > NIF_MAX_TABLE_STREAM_SIZE)
        return nif::Fail(NIF_BAD_FILE,
                         "JPEG Table Stream larger than NIF_MAX_TABLE_STREAM_SIZE in  NIFJPEGer::decompressTile.");
    return decoder_->loadTables(it->second.data(), it->second.size(), static_cast<int>(index));
}

int NIFJPEGer::decompressTile(const uint8_t* data, size_t size, uint32_t subtype, int channels, uint8_t* out) {
    endRun();
    const SubType s(subtype);
    // libjpeg converts YCbCr to RGB for three channels only.
    if (s.interleave != 0 || !KnownChroma(s.chroma) || s.convert > 1 || (s.convert && channels != 3))
        return Unsupported();
    if (int rc = selectTables(s.table)) return rc;
    if (int rc = decoder_->decode(data, size, s.convert != 0, channels, out)) return rc;
    // Tables that the tile brought replace the selected ones in the decoder.
    if (nif::DefinesTables(data, size)) decoder_->loadedTable = -1;
    return NIF_OK;
}

// Tiles that libjpeg converts to RGB, or that rely on tables of their own, decode on their own.
bool NIFJPEGer::joinableSubtype(uint32_t subtype) {
    const SubType s(subtype);
    return s.interleave == 0 && KnownChroma(s.chroma) && s.convert == 0 && s.table != 0 &&
           selectTables(s.table) == NIF_OK;
}

size_t NIFJPEGer::startRun(const std::vector<TileStream>& tiles, uint32_t subtype, int channels) {
    endRun();
    if (tiles.empty() || !joinableSubtype(subtype)) return 0;
    std::vector<nif::JpegTileLayout> joined;
    try {
        for (const TileStream& t : tiles) {
            nif::JpegTileLayout layout;
            if (joined.size() == kMaxRunTiles || !nif::ParseJoinableTile(t.data, t.size, &layout) ||
                layout.components != channels || (!joined.empty() && !layout.joinsWith(joined.front())))
                break;
            joined.push_back(layout);
        }
        if (joined.empty()) return 0;
        nif::JoinTiles(joined, runStream_);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (!decoder_->startRaw(runStream_.data(), runStream_.size(), channels)) return 0;
    return runTilesLeft_ = joined.size();
}

int NIFJPEGer::decompressRunTile(uint8_t* out) {
    if (int rc = decoder_->readRawTile(out)) {
        runTilesLeft_ = 0;
        return rc;
    }
    if (--runTilesLeft_ == 0) jpeg_abort_decompress(&decoder_->cinfo);
    return NIF_OK;
}

void NIFJPEGer::endRun() {
    if (!runTilesLeft_) return;
    runTilesLeft_ = 0;
    jpeg_abort_decompress(&decoder_->cinfo);
}

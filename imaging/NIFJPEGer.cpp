#include "NIFJPEGer.h"

#include "FpxIds.h"
#include "NIFError.h"

#include <cstdio>

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

int Unsupported() { return nif::Fail(NIF_BAD_FILE, "Unsupported JPEG sub-type in NIFJPEGer::decompressTile."); }

}  // namespace

struct NIFJPEGer::Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager error{};
    int loadedTable = -1;

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

    // Only plain data lives in this frame, so that leaving it by longjmp is safe.
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
        cinfo.jpeg_color_space = channels == 1 ? JCS_GRAYSCALE : channels == 3 ? JCS_YCbCr : JCS_CMYK;
        cinfo.out_color_space = convert ? JCS_RGB : cinfo.jpeg_color_space;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = out + size_t(cinfo.output_scanline) * nif::kTileSide * channels;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        return NIF_OK;
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
    const SubType s(subtype);
    // libjpeg converts YCbCr to RGB for three channels only.
    if (s.interleave != 0 || !KnownChroma(s.chroma) || s.convert > 1 || (s.convert && channels != 3))
        return Unsupported();
    if (int rc = selectTables(s.table)) return rc;
    return decoder_->decode(data, size, s.convert != 0, channels, out);
}

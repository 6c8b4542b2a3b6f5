#include "TransferPictures.h"

#include "NIFToolkit.h"
#include "UniqueModule.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include <cstring>

namespace sourcetest {

namespace {

// libjpeg's errors and warnings end the decode here (its own handler would end the process).
struct JpegTrap {
    jpeg_error_mgr manager{};
    jmp_buf escape;
    bool warned = false;
};

[[noreturn]] void EscapeFromJpeg(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegTrap*>(cinfo->err)->escape, 1); }

void NoteJpegWarning(j_common_ptr cinfo, int level) {
    if (level < 0) reinterpret_cast<JpegTrap*>(cinfo->err)->warned = true;
}

// Decodes into p; false on an error or a warning (damaged data that libjpeg would patch up).
bool DecodeJpegInto(const std::string& file, jpeg_decompress_struct* cinfo, JpegTrap* trap, RgbPicture* p) {
    if (setjmp(trap->escape)) return false;
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    p->width = int(cinfo->output_width);
    p->height = int(cinfo->output_height);
    p->pixels.resize(size_t(p->width) * p->height * 3);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = p->pixels.data() + size_t(cinfo->output_scanline) * p->width * 3;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return !trap->warned;
}

}  // namespace

RgbPicture DecodeJpeg(const std::string& file) {
    RgbPicture p;
    jpeg_decompress_struct cinfo{};
    JpegTrap trap;
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = EscapeFromJpeg;
    trap.manager.emit_message = NoteJpegWarning;
    jpeg_create_decompress(&cinfo);
    if (!DecodeJpegInto(file, &cinfo, &trap, &p)) p = {};
    jpeg_destroy_decompress(&cinfo);
    return p;
}

// The toolkit's calls, from the acquire module loaded for the decode alone (the tests' own loads of
// the module come and go with the source).
struct Toolkit {
    pv::UniqueModule module = pv::UniqueModule::load("pvacquire.dll");
    decltype(&NIFStartToolkit) start = module.proc<decltype(&NIFStartToolkit)>("NIFStartToolkit");
    decltype(&NIFOpenImageFromMemory) open = module.proc<decltype(&NIFOpenImageFromMemory)>("NIFOpenImageFromMemory");
    decltype(&NIFGetImageInformation) information =
        module.proc<decltype(&NIFGetImageInformation)>("NIFGetImageInformation");
    decltype(&NIFReadRegion) read = module.proc<decltype(&NIFReadRegion)>("NIFReadRegion");
    decltype(&NIFCloseImage) close = module.proc<decltype(&NIFCloseImage)>("NIFCloseImage");
    decltype(&NIFStopToolkit) stop = module.proc<decltype(&NIFStopToolkit)>("NIFStopToolkit");
    bool loaded() const { return start && open && information && read && close && stop; }
};

RgbPicture DecodeFlashPix(const std::string& file) {
    RgbPicture p;
    Toolkit nif;
    if (!nif.loaded() || nif.start() != 0) return p;
    NIFHandle* h = nullptr;
    long w = 0, ht = 0, kind = 0;
    NIFImageInformation info{};
    // Pictures of three colour channels, as the acquire module hands them over.
    if (nif.open(file.data(), file.size(), &h, &w, &ht, &kind) == 0 && nif.information(h, &info) == 0 &&
        info.channels == 3 && (info.colorSpace == NIF_SPACE_RGB || info.colorSpace == NIF_SPACE_PHOTOYCC)) {
        p.width = info.width;
        p.height = info.height;
        p.pixels.resize(size_t(p.width) * p.height * 3);
        NIFDestination d{NIF_SPACE_RGB, 3, {}};
        for (int c = 0; c < 3; ++c) d.channel[c] = {p.pixels.data() + c, 3, long(p.width) * 3};
        if (nif.read(h, 0, 0, p.width, p.height, info.levels - 1, &d, nullptr) != 0) p.pixels.clear();
        nif.close(h);
    }
    nif.stop();
    return p;
}

RgbPicture FromPacked(const BYTE* packed, size_t size) {
    RgbPicture p;
    BITMAPINFOHEADER header{};
    if (size < sizeof header) return p;
    std::memcpy(&header, packed, sizeof header);
    const size_t stride = (size_t(header.biWidth) * 3 + 3) / 4 * 4;
    if (header.biBitCount != 24 || header.biWidth <= 0 || header.biHeight <= 0 ||
        size < sizeof header + stride * size_t(header.biHeight))
        return p;
    p.width = header.biWidth;
    p.height = header.biHeight;
    p.pixels.resize(size_t(p.width) * p.height * 3);
    for (int y = 0; y < p.height; ++y) {
        const BYTE* row = packed + sizeof header + (size_t(p.height) - 1 - y) * stride;
        uint8_t* out = &p.pixels[size_t(y) * p.width * 3];
        for (int x = 0; x < p.width; ++x) {
            out[x * 3] = row[x * 3 + 2];
            out[x * 3 + 1] = row[x * 3 + 1];
            out[x * 3 + 2] = row[x * 3];
        }
    }
    return p;
}

long DifferingPixels(const BYTE* packed, size_t size, const RgbPicture& picture) {
    const RgbPicture handed = FromPacked(packed, size);
    if (handed.width != picture.width || handed.height != picture.height) return -1;
    long differing = 0;
    for (size_t i = 0; i < handed.pixels.size(); i += 3)
        differing += std::memcmp(&handed.pixels[i], &picture.pixels[i], 3) != 0;
    return differing;
}

}  // namespace sourcetest

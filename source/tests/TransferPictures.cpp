#include "TransferPictures.h"

#include "NIFToolkit.h"
#include "UniqueModule.h"

#include <cstdio>
#include <jpeglib.h>

#include <cstring>

namespace sourcetest {

RgbPicture DecodeJpeg(const std::string& file) {
    RgbPicture p;
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(file.data()), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    p.width = int(cinfo.output_width);
    p.height = int(cinfo.output_height);
    p.pixels.resize(size_t(p.width) * p.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = p.pixels.data() + size_t(cinfo.output_scanline) * p.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
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
    if (nif.open(file.data(), file.size(), &h, &w, &ht, &kind) == 0 && nif.information(h, &info) == 0) {
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

long DifferingPixels(const BYTE* packed, size_t size, const RgbPicture& picture) {
    BITMAPINFOHEADER header{};
    if (size < sizeof header) return -1;
    std::memcpy(&header, packed, sizeof header);
    const size_t stride = (size_t(picture.width) * 3 + 3) / 4 * 4;
    if (header.biWidth != picture.width || header.biHeight != picture.height || header.biBitCount != 24 ||
        size < sizeof header + stride * picture.height)
        return -1;
    long differing = 0;
    for (int y = 0; y < picture.height; ++y) {
        const BYTE* row = packed + sizeof header + (size_t(picture.height) - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* rgb = &picture.pixels[(size_t(y) * picture.width + x) * 3];
            differing += row[x * 3] != rgb[2] || row[x * 3 + 1] != rgb[1] || row[x * 3 + 2] != rgb[0];
        }
    }
    return differing;
}

}  // namespace sourcetest

#include "FpxTestWriter.h"

#include "NIFColorConv.h"
#include "NIFStorage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>

namespace {

constexpr int kTile = 64;
constexpr GUID Fpx(uint32_t first) { return {first, 0xC154, 0x11CE, {0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B}}; }

Picture Half(const Picture& p) {
    Picture h{(p.width + 1) / 2, (p.height + 1) / 2, p.channels, {}};
    h.pixels.resize(size_t(h.width) * h.height * p.channels);
    auto at = [&](int x, int y, int c) {
        return p.pixels[(size_t(std::min(y, p.height - 1)) * p.width + std::min(x, p.width - 1)) * p.channels + c];
    };
    for (int y = 0; y < h.height; ++y)
        for (int x = 0; x < h.width; ++x)
            for (int c = 0; c < p.channels; ++c)
                h.pixels[(size_t(y) * h.width + x) * p.channels + c] = static_cast<uint8_t>(
                    (at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) + at(2 * x + 1, 2 * y + 1, c) + 2) / 4);
    return h;
}

// One 64 x 64 tile, edge pixels repeated past the picture.
std::vector<uint8_t> TileOf(const Picture& p, int tx, int ty) {
    std::vector<uint8_t> tile(size_t(kTile) * kTile * 3);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            int sx = std::min(tx * kTile + x, p.width - 1), sy = std::min(ty * kTile + y, p.height - 1);
            std::memcpy(&tile[(size_t(y) * kTile + x) * 3], &p.pixels[(size_t(sy) * p.width + sx) * 3], 3);
        }
    return tile;
}

struct JpegWriter {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    JpegWriter(const FpxWriteOptions& o, int quality) {
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        c.image_width = kTile;
        c.image_height = kTile;
        c.input_components = 3;
        c.in_color_space = o.internalConversion ? JCS_RGB : JCS_YCbCr;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, quality, TRUE);
        c.comp_info[0].h_samp_factor = o.lumaH;
        c.comp_info[0].v_samp_factor = o.lumaV;
        c.write_JFIF_header = FALSE;
    }
    ~JpegWriter() { jpeg_destroy_compress(&c); }
    std::vector<uint8_t> tables() {
        unsigned char* buf = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&c, &buf, &size);
        jpeg_write_tables(&c);
        std::vector<uint8_t> out(buf, buf + size);
        std::free(buf);
        return out;
    }
    std::vector<uint8_t> tile(std::vector<uint8_t>& pixels, bool withTables) {
        unsigned char* buf = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&c, &buf, &size);
        jpeg_start_compress(&c, withTables ? TRUE : FALSE);
        while (c.next_scanline < kTile) {
            JSAMPROW row = &pixels[size_t(c.next_scanline) * kTile * 3];
            jpeg_write_scanlines(&c, &row, 1);
        }
        jpeg_finish_compress(&c);
        std::vector<uint8_t> out(buf, buf + size);
        std::free(buf);
        return out;
    }
};

// The shared tables, and a writer at half the quality for the tile with tables of its own.
struct TileWriters {
    JpegWriter shared;
    JpegWriter own;
    const FpxWriteOptions& options;
    explicit TileWriters(const FpxWriteOptions& o) : shared(o, o.quality), own(o, o.quality / 2), options(o) {}
    std::vector<uint8_t> tile(std::vector<uint8_t>& pixels, int index) {
        return index == options.ownTablesTile ? own.tile(pixels, true) : shared.tile(pixels, false);
    }
    // Table 1, the conversion flag, the luma sampling against chroma, no interleaving byte.
    uint32_t subtype() const {
        const uint32_t sampling = uint32_t(options.lumaH << 4 | options.lumaV);
        return 0x01000000u | (options.internalConversion ? 0x10000u : 0) | sampling << 8;
    }
};

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void WriteResolution(NIFStorage& image, int level, const Picture& p, TileWriters* jpeg,
                     FpxLevelStreams* streams) {
    wchar_t name[32];
    std::swprintf(name, 32, L"Resolution %04d", level);
    NIFStorage* r = nullptr;
    image.CreateStorage(name, &r);
    std::unique_ptr<NIFStorage> res(r);
    const int across = (p.width + kTile - 1) / kTile, down = (p.height + kTile - 1) / kTile;
    std::vector<uint8_t> header(28, 0), data(28, 0);
    header[0] = 0xFE, header[1] = 0xFF;
    for (uint32_t v : {36u, uint32_t(p.width), uint32_t(p.height), uint32_t(across * down), 64u, 64u, 3u, 36u, 16u})
        PutU32(header, v);
    for (int ty = 0; ty < down; ++ty)
        for (int tx = 0; tx < across; ++tx) {
            std::vector<uint8_t> pixels = TileOf(p, tx, ty);
            std::vector<uint8_t> stored = jpeg ? jpeg->tile(pixels, ty * across + tx) : pixels;
            const uint32_t entry[] = {uint32_t(data.size() - 28), uint32_t(stored.size()), jpeg ? 2u : 0u,
                                      jpeg ? jpeg->subtype() : 0u};
            for (uint32_t v : entry) PutU32(header, v);
            data.insert(data.end(), stored.begin(), stored.end());
            if (streams) streams->tiles.push_back(stored);
        }
    NIFExtStream* s = nullptr;
    res->CreateStream(L"Subimage 0000 Header", &s);
    s->WriteInFile(header.data(), uint32_t(header.size()));
    s->Release();
    res->CreateStream(L"Subimage 0000 Data", &s);
    s->WriteInFile(data.data(), uint32_t(data.size()));
    s->Release();
    res->Commit();
}

void WriteContents(NIFStorage& image, const std::vector<Picture>& levels, bool photoYcc, const std::vector<uint8_t>* tables) {
    NIFPropertySet* set = nullptr;
    image.CreatePropertySet(L"\005Image Contents", &set);
    NIFPropSection* s = set->NewSection(Fpx(0x56616400));
    s->NewProperty(0x01000000, VT_UI4)->Set(uint32_t(levels.size()));
    s->NewProperty(0x01000002, VT_UI4)->Set(uint32_t(levels.back().width));
    s->NewProperty(0x01000003, VT_UI4)->Set(uint32_t(levels.back().height));
    std::vector<uint8_t> color;
    PutU32(color, 1);
    PutU32(color, 3);
    for (uint32_t c = 0; c < 3; ++c) PutU32(color, (photoYcc ? 2u : 0x80000003u) << 16 | c);
    for (uint32_t l = 0; l < levels.size(); ++l) {
        s->NewProperty(0x02000000 | l << 16, VT_UI4)->Set(uint32_t(levels[l].width));
        s->NewProperty(0x02000001 | l << 16, VT_UI4)->Set(uint32_t(levels[l].height));
        s->NewProperty(0x02000002 | l << 16, VT_BLOB)->SetBlob(color.data(), color.size());
        NIFExtProperty* format = s->NewProperty(0x02000003 | l << 16, VT_VECTOR | VT_UI4);
        format->SetVector(VT_UI4, 1);
        format->GetElement(0)->Set(uint32_t(VT_UI1));
        s->NewProperty(0x02000004 | l << 16, VT_I4)->Set(int32_t(0));
    }
    if (tables) {
        s->NewProperty(0x03010001, VT_BLOB)->SetBlob(tables->data(), tables->size());
        s->NewProperty(0x03000002, VT_UI4)->Set(uint32_t(1));
    }
    set->Commit();
    set->Release();
}

}  // namespace

std::vector<Picture> PyramidOf(const Picture& rgb) {
    std::vector<Picture> levels{rgb};
    while (levels.front().width > 64 || levels.front().height > 64) levels.insert(levels.begin(), Half(levels.front()));
    return levels;
}

std::vector<uint8_t> WriteFpx(const Picture& rgb, const FpxWriteOptions& options,
                              std::vector<FpxLevelStreams>* streams) {
    std::vector<Picture> levels = PyramidOf(rgb);
    if (options.photoYcc) {
        NIFColorConv toYcc(NIF_COCO_RGB_TO_YCC);
        for (Picture& p : levels)
            for (size_t i = 0; i < p.pixels.size(); i += 3) toYcc.convertPixel(p.pixels[i], p.pixels[i + 1], p.pixels[i + 2]);
    }
    NIFStorage* root = nullptr;
    NIFStorage::CreateOnMemory(&root);
    std::unique_ptr<NIFStorage> image(root);
    image->SetClassId(Fpx(0x56616000));
    std::unique_ptr<TileWriters> jpeg(options.jpeg ? new TileWriters(options) : nullptr);
    std::vector<uint8_t> tables = jpeg ? jpeg->shared.tables() : std::vector<uint8_t>();
    WriteContents(*image, levels, options.photoYcc, jpeg ? &tables : nullptr);
    if (streams) streams->assign(levels.size(), {});
    for (size_t l = 0; l < levels.size(); ++l) {
        FpxLevelStreams* level = streams ? &(*streams)[l] : nullptr;
        if (level) *level = {levels[l].width, levels[l].height, tables, {}};
        WriteResolution(*image, int(l), levels[l], jpeg.get(), level);
    }
    image->Commit();
    std::vector<uint8_t> bytes;
    image->GetBytes(&bytes);
    return bytes;
}

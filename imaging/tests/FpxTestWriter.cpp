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
    const size_t n = size_t(p.channels);
    std::vector<uint8_t> tile(size_t(kTile) * kTile * n);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            int sx = std::min(tx * kTile + x, p.width - 1), sy = std::min(ty * kTile + y, p.height - 1);
            std::memcpy(&tile[(size_t(y) * kTile + x) * n], &p.pixels[(size_t(sy) * p.width + sx) * n], n);
        }
    return tile;
}

// Three channels are stored as YCbCr (or RGB that libjpeg converts); one as grey; two (grey with
// opacity) and four as they are.
J_COLOR_SPACE InputSpace(const FpxWriteOptions& o, int channels) {
    switch (channels) {
    case 1: return JCS_GRAYSCALE;
    case 3: return o.internalConversion ? JCS_RGB : JCS_YCbCr;
    default: return JCS_UNKNOWN;
    }
}

struct JpegWriter {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    int channels;
    JpegWriter(const FpxWriteOptions& o, int quality, int components) : channels(components) {
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        c.image_width = kTile;
        c.image_height = kTile;
        c.input_components = components;
        c.in_color_space = InputSpace(o, components);
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, quality, TRUE);
        if (components == 3) {
            c.comp_info[0].h_samp_factor = o.lumaH;
            c.comp_info[0].v_samp_factor = o.lumaV;
        }
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
            JSAMPROW row = &pixels[size_t(c.next_scanline) * kTile * channels];
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
    TileWriters(const FpxWriteOptions& o, int channels)
        : shared(o, o.quality, channels), own(o, o.quality / 2, channels), options(o) {}
    std::vector<uint8_t> tile(std::vector<uint8_t>& pixels, int index) {
        return index == options.ownTablesTile ? own.tile(pixels, true) : shared.tile(pixels, false);
    }
    // Table 1, the conversion flag, the luma sampling against chroma, no interleaving byte.
    uint32_t subtype() const {
        const uint32_t sampling = shared.channels == 3 ? uint32_t(options.lumaH << 4 | options.lumaV) : 0x11u;
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
    for (uint32_t v : {36u, uint32_t(p.width), uint32_t(p.height), uint32_t(across * down), 64u, 64u,
                       uint32_t(p.channels), 36u, 16u})
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

// Sub-image count, channel count, one code per channel; the colour channels of a picture with
// opacity carry the flag that says they are premultiplied by it.
std::vector<uint8_t> ColorBlob(const FpxWriteOptions& o, int channels) {
    const uint32_t space = o.monochrome ? 1u : o.photoYcc ? 2u : 3u;
    const int colour = o.monochrome ? 1 : 3;
    std::vector<uint8_t> color;
    PutU32(color, 1);
    PutU32(color, uint32_t(channels));
    for (int c = 0; c < channels; ++c) {
        const uint32_t channel = c == colour ? 0x7FFEu : uint32_t(c) | (channels > colour ? 0x8000u : 0);
        PutU32(color, (o.photoYcc ? 0 : 0x80000000u) | space << 16 | channel);
    }
    return color;
}

void WriteContents(NIFStorage& image, const std::vector<Picture>& levels, const FpxWriteOptions& options,
                   const std::vector<uint8_t>* tables) {
    NIFPropertySet* set = nullptr;
    image.CreatePropertySet(L"\005Image Contents", &set);
    NIFPropSection* s = set->NewSection(Fpx(0x56616400));
    s->NewProperty(0x01000000, VT_UI4)->Set(uint32_t(levels.size()));
    s->NewProperty(0x01000002, VT_UI4)->Set(uint32_t(levels.back().width));
    s->NewProperty(0x01000003, VT_UI4)->Set(uint32_t(levels.back().height));
    const std::vector<uint8_t> color = ColorBlob(options, levels.back().channels);
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

namespace {

// The picture's pyramid, its contents and its resolutions, in image.
void WriteImage(NIFStorage& image, const Picture& source, const FpxWriteOptions& options,
                std::vector<FpxLevelStreams>* streams) {
    std::vector<Picture> levels = PyramidOf(source);
    if (options.photoYcc) {
        NIFColorConv toYcc(NIF_COCO_RGB_TO_YCC);
        const size_t step = size_t(source.channels);
        for (Picture& p : levels)
            for (size_t i = 0; i < p.pixels.size(); i += step) toYcc.convertPixel(p.pixels[i], p.pixels[i + 1], p.pixels[i + 2]);
    }
    image.SetClassId(Fpx(0x56616000));
    std::unique_ptr<TileWriters> jpeg(options.jpeg ? new TileWriters(options, source.channels) : nullptr);
    std::vector<uint8_t> tables = jpeg ? jpeg->shared.tables() : std::vector<uint8_t>();
    WriteContents(image, levels, options, jpeg ? &tables : nullptr);
    if (streams) streams->assign(levels.size(), {});
    for (size_t l = 0; l < levels.size(); ++l) {
        FpxLevelStreams* level = streams ? &(*streams)[l] : nullptr;
        if (level) *level = {levels[l].width, levels[l].height, tables, {}};
        WriteResolution(image, int(l), levels[l], jpeg.get(), level);
    }
    image.Commit();
}

std::vector<uint8_t> BytesOf(NIFStorage& root) {
    root.Commit();
    std::vector<uint8_t> bytes;
    root.GetBytes(&bytes);
    return bytes;
}

std::unique_ptr<NIFStorage> NewFile() {
    NIFStorage* root = nullptr;
    NIFStorage::CreateOnMemory(&root);
    return std::unique_ptr<NIFStorage>(root);
}

void WriteViewInfo(NIFStorage& view, uint32_t visibleOutput) {
    NIFPropertySet* set = nullptr;
    view.CreatePropertySet(L"\005Global Info", &set);
    NIFPropSection* s = set->NewSection(Fpx(0x56616F00));
    NIFExtProperty* visible = s->NewProperty(0x00010100, VT_VECTOR | VT_UI4);
    visible->SetVector(VT_UI4, 1);
    visible->GetElement(0)->Set(visibleOutput);
    s->NewProperty(0x00010101, VT_UI4)->Set(uint32_t(2));   // data objects 1 (the source) and 2
    s->NewProperty(0x00010102, VT_UI4)->Set(uint32_t(1));
    set->Commit();
    set->Release();
    view.CreatePropertySet(L"\005Transform 000001", &set);
    set->NewSection(Fpx(0x56616A00))->NewProperty(2, VT_UI4)->Set(uint32_t(2));
    set->Commit();
    set->Release();
}

}  // namespace

std::vector<uint8_t> WriteFpx(const Picture& source, const FpxWriteOptions& options,
                              std::vector<FpxLevelStreams>* streams) {
    std::unique_ptr<NIFStorage> image = NewFile();
    WriteImage(*image, source, options, streams);
    return BytesOf(*image);
}

std::vector<uint8_t> WriteFpxView(const Picture& source, const FpxWriteOptions& options, bool secondViewClass,
                                  uint32_t visibleOutput) {
    std::unique_ptr<NIFStorage> view = NewFile();
    view->SetClassId(Fpx(secondViewClass ? 0x56616800 : 0x56616700));
    WriteViewInfo(*view, visibleOutput);
    NIFStorage* store = nullptr;
    view->CreateStorage(L"Data Object Store 000001", &store);
    std::unique_ptr<NIFStorage> image(store);
    WriteImage(*image, source, options, nullptr);
    return BytesOf(*view);
}

// The property set's header, one section (the image contents' format) at offset 48, and in it a
// table of entries, entry i pointing 8 i bytes into a run of cells. Each cell starts a vector of
// bytes that claims every byte after it: the values overlap, none shares another's offset.
std::vector<uint8_t> CraftedPropertyFpx(size_t streamSize, uint32_t entries) {
    std::vector<uint8_t> set = {0xFE, 0xFF, 0, 0, 0x0A, 0, 2, 0};
    set.resize(24, 0);
    PutU32(set, 1);
    const GUID contents = Fpx(0x56616400);
    const uint8_t* fmtid = reinterpret_cast<const uint8_t*>(&contents);
    set.insert(set.end(), fmtid, fmtid + sizeof contents);
    PutU32(set, 48);
    const uint32_t sectionSize = uint32_t(streamSize - 48), cells = 8 + 8 * entries;
    PutU32(set, sectionSize);
    PutU32(set, entries);
    for (uint32_t i = 0; i < entries; ++i) {
        PutU32(set, 0x02000000 + i);
        PutU32(set, cells + 8 * i);
    }
    for (uint32_t at = cells; at + 8 <= sectionSize; at += 8) {
        PutU32(set, VT_VECTOR | VT_UI1);
        PutU32(set, sectionSize - at - 8);
    }
    set.resize(streamSize, 0);
    std::unique_ptr<NIFStorage> image = NewFile();
    image->SetClassId(Fpx(0x56616000));
    NIFExtStream* s = nullptr;
    image->CreateStream(L"\005Image Contents", &s);
    s->WriteInFile(set.data(), uint32_t(set.size()));
    s->Commit();
    s->Release();
    return BytesOf(*image);
}

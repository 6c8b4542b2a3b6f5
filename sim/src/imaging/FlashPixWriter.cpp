#include "FlashPix.h"

#include "Jpeg.h"
#include "PhotoYcc.h"
#include "PropertySet.h"

#include <algorithm>
#include <cstdio>
#include <gsf/gsf.h>

namespace pvsim {
namespace {

const char* const kImageClass = "56616000-C154-11CE-8553-00AA00A1F95B";
const char* const kImageContentsSet = "56616400-C154-11CE-8553-00AA00A1F95B";
const char* const kImageInfoSet = "56616500-C154-11CE-8553-00AA00A1F95B";
const char* const kSummarySet = "F29F85E0-4FF9-1068-AB91-08002B27B3D9";
constexpr int kTile = 64;
constexpr uint32_t kJpegSubtype = 0x01002200;   // table 1, no internal conversion, chroma 2:1 both ways

void putLe32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

Bytes streamHeader() {
    Bytes h = {0xFE, 0xFF, 0, 0};
    putLe32(h, 0x00020005);
    h.insert(h.end(), 20, 0);   // class identifier and reserved word
    return h;
}

void writeChild(GsfOutfile* parent, const char* name, const Bytes& data) {
    GsfOutput* child = gsf_outfile_new_child(parent, name, FALSE);
    gsf_output_write(child, data.size(), data.data());
    gsf_output_close(child);
    g_object_unref(child);
}

Raster tileAt(const Raster& ycc, int tx, int ty) {
    Raster t(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const uint8_t* p = ycc.at(std::min(tx * kTile + x, ycc.width - 1), std::min(ty * kTile + y, ycc.height - 1));
            std::copy_n(p, 3, t.at(x, y));
        }
    return t;
}

void writeLevel(GsfOutfile* ole, int index, const Raster& level, const TileCoder& coder) {
    Raster ycc = toPhotoYcc(level);
    int across = (level.width + kTile - 1) / kTile, down = (level.height + kTile - 1) / kTile;
    Bytes header = streamHeader(), data = streamHeader();
    for (uint32_t v : {36u, uint32_t(level.width), uint32_t(level.height), uint32_t(across * down),
                       uint32_t(kTile), uint32_t(kTile), 3u, 36u, 16u})
        putLe32(header, v);
    for (int ty = 0; ty < down; ++ty)
        for (int tx = 0; tx < across; ++tx) {
            Bytes jpeg = coder.encode(tileAt(ycc, tx, ty));
            for (uint32_t v : {uint32_t(data.size() - 28), uint32_t(jpeg.size()), 2u, kJpegSubtype}) putLe32(header, v);
            data.insert(data.end(), jpeg.begin(), jpeg.end());
        }
    char name[32];
    std::snprintf(name, sizeof name, "Resolution %04d", index);
    GsfOutfile* storage = GSF_OUTFILE(gsf_outfile_new_child(ole, name, TRUE));
    writeChild(storage, "Subimage 0000 Header", header);
    writeChild(storage, "Subimage 0000 Data", data);
    gsf_output_close(GSF_OUTPUT(storage));
    g_object_unref(storage);
}

Bytes imageContents(const std::vector<std::pair<int, int>>& levels, const Bytes& tables) {
    PropertySetWriter w(guidFromText(kImageContentsSet));
    auto [width, height] = levels.front();
    w.addUi4(0x01000000, static_cast<uint32_t>(levels.size()));
    w.addUi4(0x01000002, static_cast<uint32_t>(width));
    w.addUi4(0x01000003, static_cast<uint32_t>(height));
    w.addR4(0x01000004, height / 72.0f);
    w.addR4(0x01000005, width / 72.0f);
    w.addUi4(0x01000006, 0);   // inches
    Bytes colour;
    for (uint32_t v : {1u, 3u, 0x00020000u, 0x00020001u, 0x00020002u}) putLe32(colour, v);
    for (size_t i = 0; i < levels.size(); ++i) {
        uint32_t id = static_cast<uint32_t>(levels.size() - 1 - i) << 16;   // level 0 is the smallest
        w.addUi4(0x02000000 | id, static_cast<uint32_t>(levels[i].first));
        w.addUi4(0x02000001 | id, static_cast<uint32_t>(levels[i].second));
        w.addBlob(0x02000002 | id, colour);
        w.addUi4Vector(0x02000003 | id, {17, 17, 17});   // 8-bit unsigned samples
        w.addI4(0x02000004 | id, i == 0 ? 0 : 8);
        w.addR4(0x02000005 | id, i == 0 ? 0.0f : 1.0f);
    }
    w.addBlob(0x03010001, tables);
    w.addUi4(0x03000002, 1);
    return w.build();
}

Bytes imageInfo(const PictureMeta& m) {
    PropertySetWriter w(guidFromText(kImageInfoSet));
    w.addUi4(0x21000000, 3);   // digital camera
    w.addText(0x24000000, "ORVIK");
    w.addText(0x24000001, m.camera == 3 ? "PV350" : "PV360 Zoom");
    w.addFiletime(0x25000000, filetimeOfClock(m.taken));
    w.addR4(0x25000001, static_cast<float>(m.exposureTime / 100000.0));
    w.addR4(0x25000005, (m.exposure & 0x7F) * ((m.exposure & 0x80) ? -0.5f : 0.5f));
    w.addUi4(0x2500000B, m.flashFired ? 2 : 1);
    w.addText(0x25000012, "quality " + std::to_string(m.quality));
    return w.build();
}

Bytes dibOf(const Raster& r) {
    Bytes d;
    for (uint32_t v : {40u, uint32_t(r.width), uint32_t(r.height)}) putLe32(d, v);
    for (uint8_t b : {1, 0, 24, 0}) d.push_back(b);
    d.insert(d.end(), 24, 0);
    for (int y = r.height - 1; y >= 0; --y) {
        for (int x = 0; x < r.width; ++x)
            for (int c = 2; c >= 0; --c) d.push_back(r.at(x, y)[c]);
        while (d.size() % 4) d.push_back(0);
    }
    return d;
}

Bytes summary(const Raster& picture, const PictureMeta& m, const std::string& title) {
    PropertySetWriter w(guidFromText(kSummarySet));
    w.addAnsi(2, title);
    w.addFiletime(12, filetimeOfClock(m.taken));
    w.addDib(17, dibOf(resize(picture, 96, 72)));
    w.addAnsi(18, m.camera == 3 ? "ORVIK PV350" : "ORVIK PV360 Zoom");
    return w.build();
}

Bytes compObj() {
    Bytes b = {0x01, 0x00, 0xFE, 0xFF, 0x03, 0x0A, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    Guid g = guidFromText(kImageClass);
    b.insert(b.end(), g.begin(), g.end());
    auto text = [&b](const std::string& s) {
        putLe32(b, static_cast<uint32_t>(s.size() + 1));
        b.insert(b.end(), s.begin(), s.end());
        b.push_back(0);
    };
    text("FlashPix Object");
    putLe32(b, 0);   // no clipboard format
    text("ORVIK Camera");
    return b;
}

}  // namespace

Bytes writeFlashPix(const Raster& picture, const PictureMeta& meta, const std::string& title) {
    static const bool started = (gsf_init(), true);
    (void)started;
    auto levels = flashPixLevels(picture.width, picture.height);
    TileCoder coder(jpegQualityFor(meta.quality));
    GsfOutput* sink = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(sink);
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(ole), guidFromText(kImageClass).data());
    writeChild(ole, "\005SummaryInformation", summary(picture, meta, title));
    writeChild(ole, "\001CompObj", compObj());
    writeChild(ole, "\005Image Contents", imageContents(levels, coder.tables()));
    writeChild(ole, "\005Image Info", imageInfo(meta));
    Raster level = picture;
    for (size_t i = 0; i < levels.size(); ++i) {
        if (i > 0) level = resize(level, levels[i].first, levels[i].second);
        writeLevel(ole, static_cast<int>(levels.size() - 1 - i), level, coder);
    }
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink));
    Bytes out(bytes, bytes + gsf_output_size(sink));
    g_object_unref(sink);
    return out;
}

std::vector<std::pair<int, int>> flashPixLevels(int width, int height) {
    std::vector<std::pair<int, int>> levels{{width, height}};
    while (width > kTile || height > kTile) {
        width = (width + 1) / 2;
        height = (height + 1) / 2;
        levels.emplace_back(width, height);
    }
    return levels;
}

namespace {
constexpr uint64_t kClockEpochTicks = 144636ull * 86400 * 10000000;   // 1997-01-01 after 1601-01-01
}

uint64_t filetimeOfClock(uint32_t clock) { return kClockEpochTicks + uint64_t(clock) * 5000000; }

uint32_t clockOfFiletime(uint64_t ticks) {
    return ticks < kClockEpochTicks ? 0 : static_cast<uint32_t>((ticks - kClockEpochTicks) / 5000000);
}

}  // namespace pvsim

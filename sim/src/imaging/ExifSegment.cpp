#include <algorithm>
#include "ExifSegment.h"

#include <cstring>
#include <map>

namespace pvsim {
namespace {

enum : uint16_t { kAscii = 2, kShort = 3, kLong = 4, kUndefined = 7 };

// Fixed layout of the TIFF structure (offsets from the TIFF header).
constexpr uint32_t kIfd0 = 8, kMake = 50, kModel = 56, kExifIfd = 68, kMaker = 122;
constexpr uint32_t kMakerIfd = kMaker + kMakerBlockSize, kIfd1 = 224, kBits = 338, kStrip = 344;
constexpr uint32_t kStripBytes = kExifThumbWidth * kExifThumbHeight * 3;

struct IfdWriter {
    Bytes& t;
    uint32_t at;
    void begin(uint16_t count) { putBe16(&t[at], count); at += 2; }
    void entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        putBe16(&t[at], tag);
        putBe16(&t[at + 2], type);
        putBe32(&t[at + 4], count);
        if (type == kShort && count == 1) putBe16(&t[at + 8], value);
        else putBe32(&t[at + 8], value);
        at += 12;
    }
    void end(uint32_t next) { putBe32(&t[at], next); }
};

void writeThumbnailTags(IfdWriter& w) {
    w.entry(0x0100, kShort, 1, kExifThumbWidth);
    w.entry(0x0101, kShort, 1, kExifThumbHeight);
}

void writeStripTags(IfdWriter& w) {
    w.entry(0x0111, kLong, 1, kStrip);
    w.entry(0x0117, kLong, 1, kStripBytes);
}

}  // namespace

Bytes buildExifSegment(const PictureMeta& meta, const Raster& thumb) {
    Bytes t(kStrip + kStripBytes, 0);
    std::memcpy(&t[0], "MM\0\x2A", 4);
    putBe32(&t[4], kIfd0);
    IfdWriter ifd0{t, kIfd0};
    ifd0.begin(3);
    ifd0.entry(0x010F, kAscii, 6, kMake);
    ifd0.entry(0x0110, kAscii, 12, kModel);
    ifd0.entry(0x8769, kLong, 1, kExifIfd);
    ifd0.end(kIfd1);
    std::memcpy(&t[kMake], "ORVIK", 5);
    std::memcpy(&t[kModel], meta.camera == 3 ? "PV350" : "PV360 Zoom", meta.camera == 3 ? 5 : 10);

    IfdWriter exif{t, kExifIfd};
    exif.begin(4);
    writeStripTags(exif);
    exif.entry(0x9000, kUndefined, 4, 0x30313130);   // "0110"
    exif.entry(0x927C, kUndefined, kIfd1 - kMaker, kMaker);
    exif.end(0);
    Bytes block = encodeMakerBlock(meta);
    std::memcpy(&t[kMaker], block.data(), block.size());
    IfdWriter maker{t, kMakerIfd};
    maker.begin(4);
    writeThumbnailTags(maker);
    writeStripTags(maker);
    maker.end(0);

    IfdWriter ifd1{t, kIfd1};
    ifd1.begin(9);
    writeThumbnailTags(ifd1);
    ifd1.entry(0x0102, kShort, 3, kBits);
    ifd1.entry(0x0103, kShort, 1, 1);
    ifd1.entry(0x0106, kShort, 1, 2);
    ifd1.entry(0x0111, kLong, 1, kStrip);
    ifd1.entry(0x0115, kShort, 1, 3);
    ifd1.entry(0x0116, kShort, 1, kExifThumbHeight);
    ifd1.entry(0x0117, kLong, 1, kStripBytes);
    ifd1.end(0);
    for (int i = 0; i < 3; ++i) putBe16(&t[kBits + 2 * i], 8);
    std::memcpy(&t[kStrip], thumb.rgb.data(), std::min<size_t>(thumb.rgb.size(), kStripBytes));

    Bytes app1(6 + t.size(), 0);
    std::memcpy(app1.data(), "Exif", 4);
    std::copy(t.begin(), t.end(), app1.begin() + 6);
    return app1;
}

namespace {

struct Field { uint16_t type; uint32_t count; uint32_t value; };

// Entries of the IFD at `offset`, or nothing when it does not fit the TIFF data.
std::map<uint16_t, Field> readIfd(const uint8_t* t, size_t size, uint32_t offset) {
    std::map<uint16_t, Field> out;
    // In size_t and without sums that could wrap: an offset near 0xFFFFFFFF must not come round.
    if (size < 2 || offset > size - 2) return out;
    size_t n = getBe16(t + offset);
    if (n * 12 > size - 2 - offset) return out;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* e = t + offset + 2 + i * 12;
        out[static_cast<uint16_t>(getBe16(e))] = {static_cast<uint16_t>(getBe16(e + 2)), getBe32(e + 4), getBe32(e + 8)};
    }
    return out;
}

// The TIFF data of the first Exif APP1 segment, as offset and size within the file.
bool findTiff(const uint8_t* f, size_t size, size_t& at, size_t& len) {
    size_t p = 2;
    while (p + 4 <= size && f[p] == 0xFF && f[p + 1] != 0xDA) {
        size_t segment = getBe16(f + p + 2);
        if (segment < 2 || p + 2 + segment > size) return false;
        if (f[p + 1] == 0xE1 && segment >= 8 && std::memcmp(f + p + 4, "Exif\0\0", 6) == 0) {
            at = p + 10;
            len = segment - 8;
            return true;
        }
        p += 2 + segment;
    }
    return false;
}

}  // namespace

std::optional<PictureMeta> readJpegMaker(const uint8_t* f, size_t size) {
    size_t at = 0, len = 0;
    if (size < 4 || f[0] != 0xFF || f[1] != 0xD8 || !findTiff(f, size, at, len)) return std::nullopt;
    const uint8_t* t = f + at;
    if (len < 8 || std::memcmp(t, "MM\0\x2A", 4) != 0) return std::nullopt;
    auto ifd0 = readIfd(t, len, getBe32(t + 4));
    if (!ifd0.count(0x8769)) return std::nullopt;
    auto exif = readIfd(t, len, ifd0[0x8769].value);
    if (!exif.count(0x927C)) return std::nullopt;
    Field maker = exif[0x927C];
    if (maker.value > len || maker.count > len - maker.value) return std::nullopt;
    auto meta = decodeMakerBlock(t + maker.value, maker.count);
    if (meta) meta->format = 3;
    return meta;
}

}  // namespace pvsim

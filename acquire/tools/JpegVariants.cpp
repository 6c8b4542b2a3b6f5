#include "JpegVariants.h"

#include <algorithm>
#include <array>

namespace jpegmutate {
namespace {

constexpr uint8_t kScanMarker = 0xDA;
constexpr uint16_t kExifIfdTag = 0x8769, kMakerNoteTag = 0x927C, kStripOffsetsTag = 0x0111,
                   kStripBytesTag = 0x0117;
constexpr size_t kMakerBlockBytes = 48;
constexpr uint32_t kThumbnailBytes = 96 * 72 * 3;
// The maker block's bytes that its reader checks or decodes, and its two 32-bit fields.
constexpr std::array<size_t, 10> kMakerBytes{1, 2, 3, 4, 16, 17, 18, 21, 27, 46};
constexpr std::array<size_t, 2> kMakerWords{12, 28};

uint32_t ReadBe(const std::vector<uint8_t>& b, size_t at, int width) {
    uint32_t v = 0;
    for (int i = 0; i < width; ++i) v = v << 8 | b[at + i];
    return v;
}

void WriteBe(std::vector<uint8_t>& b, size_t at, int width, uint32_t v) {
    for (int i = width - 1; i >= 0; --i, v >>= 8) b[at + i] = uint8_t(v);
}

bool IsFrameMarker(uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

// The extremes of a field: the ends of its range, its middle, its neighbours, and for offsets and
// counts the places round the end of the TIFF data and of the thumbnail that would end there.
uint32_t Extreme(uint32_t original, int width, uint32_t tiffSize, std::mt19937& random) {
    const uint32_t top = width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
    const std::array<uint32_t, 15> values{0, 1, 2, top, top - 1, top / 2, top / 2 + 1, original - 1, original + 1,
                                          tiffSize - 1, tiffSize, tiffSize + 1, tiffSize - kThumbnailBytes,
                                          tiffSize - kThumbnailBytes + 1, top - 11};
    return values[random() % (width == 4 ? values.size() : 9)] & top;
}

}  // namespace

JpegVariants::JpegVariants(std::vector<uint8_t> original) : original_(std::move(original)) {
    FindSegments();
    FindFields();
}

void JpegVariants::FindSegments() {
    const std::vector<uint8_t>& b = original_;
    for (size_t p = 2; p + 4 <= b.size() && b[p] == 0xFF;) {
        if (b[p + 1] == kScanMarker) {
            segments_.push_back({p, b.size() - p});
            return;
        }
        const size_t length = 2 + ReadBe(b, p + 2, 2);
        if (p + length > b.size()) return;
        segments_.push_back({p, length});
        p += length;
    }
}

void JpegVariants::FindFields() {
    for (const Segment& s : segments_) {
        const uint8_t marker = original_[s.offset + 1];
        fields_.push_back({s.offset + 2, 2});
        if (IsFrameMarker(marker) && s.length >= 10 && !frameSize_) frameSize_ = s.offset + 5;
        if (IsFrameMarker(marker) && s.length >= 10)
            fields_.insert(fields_.end(), {{s.offset + 5, 2}, {s.offset + 7, 2}, {s.offset + 9, 1}});
    }
    if (segments_.empty() || original_[segments_[0].offset + 1] != 0xE1 || segments_[0].length < 18) return;
    FindExifFields(segments_[0].offset + 10, segments_[0].length - 10);
}

void JpegVariants::FindExifFields(size_t tiff, size_t size) {
    // The entries of the directory at offset within the TIFF data, by tag: where each value lies.
    auto entries = [&](uint32_t directory, auto&& visit) {
        if (directory > size - 2) return;
        const uint32_t count = ReadBe(original_, tiff + directory, 2);
        fields_.push_back({tiff + directory, 2});
        for (uint32_t i = 0; i < count && directory + 2 + (i + 1) * 12 <= size; ++i) {
            const size_t entry = tiff + directory + 2 + i * 12;
            visit(uint16_t(ReadBe(original_, entry, 2)), entry);
        }
    };
    fields_.push_back({tiff + 4, 4});
    uint32_t exif = 0, maker = 0;
    entries(ReadBe(original_, tiff + 4, 4), [&](uint16_t tag, size_t entry) {
        if (tag == kExifIfdTag) exif = ReadBe(original_, entry + 8, 4), fields_.push_back({entry + 8, 4});
    });
    if (!exif) return;
    auto strips = [&](uint16_t tag, size_t entry) {
        if (tag == kStripOffsetsTag || tag == kStripBytesTag) fields_.push_back({entry + 8, 4});
    };
    entries(exif, [&](uint16_t tag, size_t entry) {
        strips(tag, entry);
        if (tag != kMakerNoteTag) return;
        maker = ReadBe(original_, entry + 8, 4);
        fields_.insert(fields_.end(), {{entry + 4, 4}, {entry + 8, 4}});
    });
    if (!maker || maker > size - kMakerBlockBytes - 2) return;
    cameraByte_ = tiff + maker + 1;
    for (size_t at : kMakerBytes) fields_.push_back({tiff + maker + at, 1});
    for (size_t at : kMakerWords) fields_.push_back({tiff + maker + at, 4});
    entries(maker + uint32_t(kMakerBlockBytes), strips);
}

std::vector<uint8_t> JpegVariants::Make(Damage damage, std::mt19937& random) const {
    std::vector<uint8_t> v = original_;
    switch (damage) {
    case Damage::kBitFlips:
        for (uint32_t n = 1 + random() % 8; n; --n) v[random() % v.size()] ^= uint8_t(1u << random() % 8);
        break;
    case Damage::kByteSets: {
        // Half of them within the head, where the markers, the Exif data and the tables are.
        const size_t head = std::min<size_t>(v.size(), segments_.empty() ? 1024 : segments_.back().offset + 16);
        for (uint32_t n = 1 + random() % 8; n; --n) {
            const size_t at = random() % 2 ? random() % head : random() % v.size();
            v[at] = random() % 4 ? uint8_t(random()) : uint8_t(random() % 2 ? 0xFF : 0x00);
        }
        break;
    }
    case Damage::kTruncation:
        v.resize(random() % v.size());
        break;
    case Damage::kSegments:
        return WithSegmentsChanged(random);
    case Damage::kFieldExtremes:
        return WithFieldsAtExtremes(random);
    }
    return v;
}

std::vector<uint8_t> JpegVariants::WithSegmentsChanged(std::mt19937& random) const {
    std::vector<uint8_t> v = original_;
    if (segments_.size() < 2) return v;
    const size_t tables = segments_.size() - 1;   // the segments before the scan
    const Segment& some = segments_[random() % tables];
    const Segment& scan = segments_.back();
    const size_t boundary = segments_[random() % segments_.size()].offset;
    const auto from = original_.begin();
    switch (random() % 4) {
    case 0:   // a table or header segment again, somewhere before the scan
        v.insert(v.begin() + boundary, from + some.offset, from + some.offset + some.length);
        break;
    case 1: {   // a segment of any marker, whose length field may not match its bytes
        const uint32_t length = random() % 2 ? random() % 300 : uint32_t(random() % 0x10000);
        std::vector<uint8_t> inserted{0xFF, uint8_t(0xC0 + random() % 0x3F), uint8_t(length >> 8), uint8_t(length)};
        const uint32_t body = random() % 2 ? std::max<uint32_t>(length, 2) - 2 : random() % 300;
        for (uint32_t i = 0; i < body && i < 0x10000; ++i) inserted.push_back(uint8_t(random()));
        v.insert(v.begin() + boundary, inserted.begin(), inserted.end());
        break;
    }
    case 2:   // a segment dropped
        v.erase(v.begin() + some.offset, v.begin() + some.offset + some.length);
        break;
    default: {   // a piece of the scan repeated, or the whole scan once more after the picture's end
        const size_t start = scan.offset + random() % scan.length;
        const size_t length = std::min<size_t>(1 + random() % 4096, original_.size() - start);
        if (random() % 2) v.insert(v.begin() + start, from + start, from + start + length);
        else v.insert(v.end(), from + scan.offset, original_.end());
        break;
    }
    }
    return v;
}

std::vector<uint8_t> JpegVariants::WithFieldsAtExtremes(std::mt19937& random) const {
    std::vector<uint8_t> v = original_;
    if (fields_.empty()) return v;
    const uint32_t tiffSize = segments_.empty() ? uint32_t(v.size()) : uint32_t(segments_[0].length - 10);
    if (frameSize_ && cameraByte_ && random() % 4 == 0) {
        v[cameraByte_] = 7;
        for (size_t at : {frameSize_, frameSize_ + 2}) WriteBe(v, at, 2, Extreme(ReadBe(v, at, 2), 2, tiffSize, random));
        return v;
    }
    for (uint32_t n = 1 + random() % 3; n; --n) {
        const Field& f = fields_[random() % fields_.size()];
        WriteBe(v, f.offset, f.width, Extreme(ReadBe(v, f.offset, f.width), f.width, tiffSize, random));
    }
    return v;
}

}  // namespace jpegmutate

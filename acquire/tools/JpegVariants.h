// Damaged variants of a camera JPEG file for the long mutation run: bit flips, byte sets,
// truncations, segments inserted, duplicated or dropped before the scan, and the fields that the
// maker block reader follows (Exif offsets, entry counts, the maker block's length and bytes, the
// thumbnail's strip, segment lengths, the frame's size) set to extreme values, among them the
// frame's size of a file whose maker block is made another maker's (so that the information reader
// decodes the picture itself for its thumbnail).
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace jpegmutate {

enum class Damage { kBitFlips, kByteSets, kTruncation, kSegments, kFieldExtremes };
constexpr int kDamageKinds = 5;

// Where a field of a file lies and how wide it is (1, 2 or 4 bytes, big-endian).
struct Field {
    size_t offset;
    int width;
};

class JpegVariants {
public:
    // original: a camera JPEG file (SOI, the Exif APP1 segment with the maker block, tables, scan).
    explicit JpegVariants(std::vector<uint8_t> original);

    const std::vector<uint8_t>& original() const { return original_; }
    // The fields found in the original; fewer when it lacks a part (another program's JPEG).
    const std::vector<Field>& fields() const { return fields_; }

    std::vector<uint8_t> Make(Damage damage, std::mt19937& random) const;

private:
    struct Segment {
        size_t offset;   // of its marker
        size_t length;   // marker included; the scan runs to the end of the file
    };

    void FindSegments();
    void FindFields();
    void FindExifFields(size_t tiff, size_t size);
    std::vector<uint8_t> WithSegmentsChanged(std::mt19937& random) const;
    std::vector<uint8_t> WithFieldsAtExtremes(std::mt19937& random) const;

    std::vector<uint8_t> original_;
    std::vector<Segment> segments_;
    std::vector<Field> fields_;
    size_t frameSize_ = 0;     // the frame header's height, then width; 0 when there is none
    size_t cameraByte_ = 0;    // the maker block's byte that names the camera; 0 when there is none
};

}  // namespace jpegmutate

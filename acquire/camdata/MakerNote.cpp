#include "MakerNote.h"

namespace {

constexpr uint16_t kExifIfdTag = 34665;
constexpr uint16_t kMakerNoteTag = 37500;
constexpr uint16_t kStripOffsetsTag = 273;
constexpr size_t kMakerBlockSize = 48;
constexpr size_t kTiffStart = 12;   // SOI, APP1 marker and length, "Exif\0\0"

using State = MakerNoteReading::State;

// Big-endian reads within the TIFF structure; out of range reads fail.
class TiffReader {
public:
    TiffReader(const BYTE* tiff, size_t size) : tiff_(tiff), size_(size) {}
    bool Fits(size_t offset, size_t length) const { return offset <= size_ && length <= size_ - offset; }
    uint16_t U16(size_t offset) const { return uint16_t(tiff_[offset] << 8 | tiff_[offset + 1]); }
    uint32_t U32(size_t offset) const { return uint32_t(U16(offset)) << 16 | U16(offset + 2); }
    const BYTE* At(size_t offset) const { return tiff_ + offset; }

    // The value field of the directory entry with the tag (an offset for large values).
    std::optional<uint32_t> Find(size_t directory, uint16_t tag, uint32_t* count = nullptr) const {
        if (!Fits(directory, 2)) return std::nullopt;
        uint16_t entries = U16(directory);
        if (!Fits(directory + 2, size_t(entries) * 12)) return std::nullopt;
        for (uint16_t i = 0; i < entries; ++i) {
            size_t entry = directory + 2 + size_t(i) * 12;
            if (U16(entry) != tag) continue;
            if (count) *count = U32(entry + 4);
            return U32(entry + 8);
        }
        return std::nullopt;
    }

private:
    const BYTE* tiff_;
    size_t size_;
};

bool InRange(BYTE value, BYTE highest) { return value <= highest; }

// The camera's own blocks name the camera at byte 1 and carry 3 at byte 2; other makers' blocks
// are none of its business.
bool IsCamerasBlock(const BYTE* b) { return (b[1] == 3 || b[1] == 4) && b[2] == 3; }

bool KeepsTheRules(const BYTE* b) {
    return InRange(b[3], 1) && InRange(b[4], 3) && InRange(b[17], 4) && InRange(b[27], 2);
}

MakerNote Decode(const BYTE* b) {
    MakerNote note;
    note.cameraType = b[1] == 4 ? 106 : 105;
    note.taken = uint32_t(b[12]) << 24 | uint32_t(b[13]) << 16 | uint32_t(b[14]) << 8 | b[15];
    note.flashUsed = b[16] != 0;
    note.apertureTenths = int16_t(65 + b[18] * 10 / 8);
    note.zoom = note.cameraType == 106 ? int8_t(b[21] & 0x0F) : -1;
    uint32_t exposure = uint32_t(b[28]) << 24 | uint32_t(b[29]) << 16 | uint32_t(b[30]) << 8 | b[31];
    note.exposureMicroseconds = exposure * 10;
    return note;
}

// The thumbnail's offset in the file: the strip that the directory after the block's fixed bytes
// names, when the head holds all of it.
size_t ThumbnailOffset(const TiffReader& tiff, size_t maker, uint32_t makerBytes) {
    if (makerBytes < kMakerBlockSize + 2) return 0;
    auto strip = tiff.Find(maker + kMakerBlockSize, kStripOffsetsTag);
    if (!strip || !tiff.Fits(*strip, kMakerThumbnailBytes)) return 0;
    return kTiffStart + *strip;
}

}  // namespace

MakerNoteReading InspectMakerNote(const BYTE* head, size_t size) {
    if (size < kTiffStart + 8 || head[0] != 0xFF || head[1] != 0xD8 || head[2] != 0xFF || head[3] != 0xE1 ||
        std::string_view(reinterpret_cast<const char*>(head + 6), 4) != "Exif")
        return {};
    TiffReader tiff(head + kTiffStart, size - kTiffStart);
    if (tiff.U16(0) != 0x4D4D || tiff.U16(2) != 42) return {};
    auto exif = tiff.Find(tiff.U32(4), kExifIfdTag);
    if (!exif) return {};
    uint32_t count = 0;
    auto maker = tiff.Find(*exif, kMakerNoteTag, &count);
    if (!maker) return {};
    if (!tiff.Fits(*maker, 3) || !IsCamerasBlock(tiff.At(*maker))) return {};
    if (count < kMakerBlockSize || !tiff.Fits(*maker, kMakerBlockSize) || !KeepsTheRules(tiff.At(*maker)))
        return {State::kBroken, {}};
    MakerNoteReading reading{State::kRead, Decode(tiff.At(*maker))};
    reading.note.thumbnailOffset = ThumbnailOffset(tiff, *maker, count);
    return reading;
}

std::optional<MakerNote> ReadMakerNote(const BYTE* head, size_t size) {
    MakerNoteReading reading = InspectMakerNote(head, size);
    if (reading.state != State::kRead) return std::nullopt;
    return reading.note;
}

#include "CompoundFileCheck.h"

#include "ByteOrder.h"

#include <cstring>
#include <vector>

namespace nif {
namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kEnd = 0xFFFFFFFE;
constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr size_t kHeader = 512;
constexpr size_t kEntry = 128;
constexpr size_t kMiniSector = 64;
constexpr uint32_t kMiniCutoff = 4096;
enum : uint8_t { kEmpty = 0, kStorage = 1, kStream = 2, kRoot = 5 };

class Checker {
public:
    Checker(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    std::string run() {
        if (size_ < kHeader || std::memcmp(data_, kSignature, 8) != 0) return "not a compound file";
        const uint16_t shift = LoadU16(data_ + 0x1E);
        if ((shift != 9 && shift != 12) || LoadU16(data_ + 0x20) != 6 || LoadU32(data_ + 0x38) != kMiniCutoff)
            return "bad header";
        sector_ = size_t(1) << shift;
        sectors_ = size_ < sector_ ? 0 : static_cast<uint32_t>(size_ / sector_ - 1);
        if (!readFat()) return "bad allocation table";
        if (!chain(LoadU32(data_ + 0x30), fat_, sectors_, &directory_)) return "bad directory chain";
        if (!chain(LoadU32(data_ + 0x3C), fat_, sectors_, &miniFatSectors_)) return "bad mini allocation chain";
        return checkDirectory();
    }

private:
    const uint8_t* sectorAt(uint32_t n) const { return data_ + (size_t(n) + 1) * sector_; }

    bool readFat() {
        const uint32_t fatCount = LoadU32(data_ + 0x2C);
        if (fatCount > sectors_ + 1) return false;
        std::vector<uint32_t> fatSectors;
        // Unused slots of the header's list must be free: readers look at all of them.
        for (uint32_t i = 0; i < 109; ++i) {
            const uint32_t slot = LoadU32(data_ + 0x4C + 4 * i);
            if (i < fatCount) fatSectors.push_back(slot);
            else if (slot != kNone) return false;
        }
        uint32_t difat = LoadU32(data_ + 0x44);
        for (uint32_t hops = 0; fatSectors.size() < fatCount; ++hops) {
            if (difat >= sectors_ || hops > sectors_) return false;
            const uint8_t* s = sectorAt(difat);
            const size_t perSector = sector_ / 4 - 1;
            for (size_t i = 0; i < perSector; ++i) {
                const uint32_t slot = LoadU32(s + 4 * i);
                if (fatSectors.size() < fatCount) fatSectors.push_back(slot);
                else if (slot != kNone) return false;
            }
            difat = LoadU32(s + 4 * perSector);
        }
        for (uint32_t f : fatSectors) {
            if (f >= sectors_) return false;
            for (size_t i = 0; i < sector_ / 4; ++i) fat_.push_back(LoadU32(sectorAt(f) + 4 * i));
        }
        return true;
    }

    // The sectors of a chain, each below limit and in the table, visited at most once.
    static bool chain(uint32_t start, const std::vector<uint32_t>& table, uint32_t limit, std::vector<uint32_t>* out) {
        out->clear();
        std::vector<bool> seen(limit);
        for (uint32_t s = start; s != kEnd; s = table[s]) {
            if (s >= limit || s >= table.size() || seen[s]) return false;
            seen[s] = true;
            out->push_back(s);
        }
        return true;
    }

    const uint8_t* entry(uint32_t id) const {
        const size_t perSector = sector_ / kEntry;
        return sectorAt(directory_[id / perSector]) + (id % perSector) * kEntry;
    }

    bool covers(const std::vector<uint32_t>& sectors, uint64_t size, size_t unit) const {
        return uint64_t(sectors.size()) * unit >= size;
    }

    std::string checkDirectory() {
        const uint32_t count = static_cast<uint32_t>(directory_.size() * (sector_ / kEntry));
        if (count == 0 || entry(0)[0x42] != kRoot) return "no root entry";
        for (uint32_t f : miniFatSectors_)
            for (size_t i = 0; i < sector_ / 4; ++i) miniFat_.push_back(LoadU32(sectorAt(f) + 4 * i));
        std::vector<uint32_t> sectors;
        const uint64_t miniStreamSize = LoadU32(entry(0) + 0x78);
        if (!chain(LoadU32(entry(0) + 0x74), fat_, sectors_, &miniStream_) || !covers(miniStream_, miniStreamSize, sector_))
            return "bad mini stream";
        const uint32_t miniSectors = static_cast<uint32_t>(miniStream_.size() * (sector_ / kMiniSector));
        std::vector<bool> seen(count);
        std::vector<uint32_t> pending{0};
        while (!pending.empty()) {
            const uint32_t id = pending.back();
            pending.pop_back();
            if (id >= count || seen[id]) return "bad directory tree";
            seen[id] = true;
            const uint8_t* e = entry(id);
            const uint8_t type = e[0x42];
            const uint16_t nameBytes = LoadU16(e + 0x40);
            // Names end in a null character within their 32.
            if ((type != kStorage && type != kStream && type != kRoot) || nameBytes < 2 || nameBytes > 64 ||
                nameBytes % 2 || LoadU16(e + nameBytes - 2) != 0)
                return "bad directory entry";
            if ((type == kRoot) != (id == 0)) return "bad directory entry";
            for (uint32_t link : {LoadU32(e + 0x44), LoadU32(e + 0x48), LoadU32(e + 0x4C)})
                if (link != kNone) pending.push_back(link);
            if (type != kStream) continue;
            const uint64_t size = LoadU32(e + 0x78);
            const bool mini = size < kMiniCutoff;
            if (!chain(LoadU32(e + 0x74), mini ? miniFat_ : fat_, mini ? miniSectors : sectors_, &sectors) ||
                !covers(sectors, size, mini ? kMiniSector : sector_))
                return "bad stream chain";
        }
        return std::string();
    }

    const uint8_t* data_;
    size_t size_;
    size_t sector_ = 512;
    uint32_t sectors_ = 0;
    std::vector<uint32_t> fat_, miniFat_, directory_, miniFatSectors_, miniStream_;
};

}  // namespace

std::string CheckCompoundFile(const uint8_t* data, size_t size) { return Checker(data, size).run(); }

}  // namespace nif

#include "CapabilityContainer.h"

#include <algorithm>
#include <cstring>

namespace source {
namespace {

constexpr size_t kOneValueMinimum = 6;

uint32_t ReadU32(const BYTE* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

size_t ItemsOffset(TW_UINT16 type) { return type == TWON_ENUMERATION ? kEnumItems : kArrayItems; }

}  // namespace

size_t ItemSize(TW_UINT16 itemType) {
    static const size_t sizes[] = {1, 2, 4, 1, 2, 4, 2, 4, 16, 34, 66, 130, 256};
    return itemType < std::size(sizes) ? sizes[itemType] : 0;
}

uint32_t ItemNumber(TW_UINT16 itemType, const BYTE* item) {
    switch (ItemSize(itemType)) {
    case 1: return item[0];
    case 2: return uint32_t(item[0] | item[1] << 8);
    default: return ReadU32(item);
    }
}

std::unique_ptr<CapabilityContainer> CapabilityContainer::FromBlock(TW_UINT16 type, const BYTE* block, size_t size) {
    if (size < 2) return nullptr;
    TW_UINT16 itemType = TW_UINT16(block[0] | block[1] << 8);
    size_t item = ItemSize(itemType);
    if (item == 0) return nullptr;
    switch (type) {
    case TWON_ONEVALUE: {
        // A narrow item may stand alone in the block; it is kept in the full 4-byte slot.
        size_t carried = std::min(size - 2, std::max<size_t>(item, 4));
        if (carried < item) return nullptr;
        std::vector<BYTE> bytes(std::max(kOneValueMinimum, 2 + item), 0);
        std::memcpy(bytes.data(), block, 2 + std::min(carried, bytes.size() - 2));
        if (item < 4) std::memset(bytes.data() + 2 + item, 0, 4 - item);
        return std::make_unique<CapabilityContainer>(type, std::move(bytes));
    }
    case TWON_RANGE:
        if (size < kRangeSize) return nullptr;
        return std::make_unique<CapabilityContainer>(type, std::vector<BYTE>(block, block + kRangeSize));
    case TWON_ENUMERATION:
    case TWON_ARRAY: {
        size_t header = ItemsOffset(type);
        if (size < header) return nullptr;
        uint64_t whole = header + uint64_t(ReadU32(block + kListCount)) * item;
        if (whole > size) return nullptr;
        std::vector<BYTE> bytes(block, block + whole);
        bytes.push_back(0);   // the one-item list of the TWAIN structure
        return std::make_unique<CapabilityContainer>(type, std::move(bytes));
    }
    }
    return nullptr;
}

std::unique_ptr<CapabilityContainer> CapabilityContainer::OneValue(TW_UINT16 itemType, const BYTE* item, size_t itemBytes) {
    size_t size = ItemSize(itemType);
    std::vector<BYTE> bytes(std::max(kOneValueMinimum, 2 + size), 0);
    bytes[0] = BYTE(itemType);
    bytes[1] = BYTE(itemType >> 8);
    std::memcpy(bytes.data() + 2, item, std::min(itemBytes, size));
    return std::make_unique<CapabilityContainer>(TWON_ONEVALUE, std::move(bytes));
}

TW_UINT16 CapabilityContainer::itemType() const { return TW_UINT16(bytes_[0] | bytes_[1] << 8); }

uint32_t CapabilityContainer::U32(size_t offset) const { return ReadU32(bytes_.data() + offset); }

uint32_t CapabilityContainer::count() const { return U32(kListCount); }

const BYTE* CapabilityContainer::Item(uint32_t index) const {
    return bytes_.data() + ItemsOffset(type_) + size_t(index) * ItemSize(itemType());
}

const BYTE* CapabilityContainer::CurrentItem() const {
    switch (type_) {
    case TWON_ENUMERATION: return Item(U32(kEnumCurrent));
    case TWON_RANGE: return bytes_.data() + kRangeCurrent;
    case TWON_ARRAY: return Item(0);
    default: return bytes_.data() + kOneValueItem;
    }
}

size_t CapabilityContainer::CurrentItemBytes() const { return type_ == TWON_RANGE ? 4 : ItemSize(itemType()); }

}  // namespace source

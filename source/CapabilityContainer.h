// An owned copy of one TWAIN container (one-value, range, enumeration or array), its bytes laid
// out as TWAIN lays them out with the item type first.
#pragma once

#include "TwainTypes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace source {

// Bytes of an item of the type (0 for a type TWAIN does not know).
size_t ItemSize(TW_UINT16 itemType);

class CapabilityContainer {
public:
    CapabilityContainer(TW_UINT16 type, std::vector<BYTE> bytes) : type_(type), bytes_(std::move(bytes)) {}

    // From a block that holds the container's bytes (a resource's, or an application's): one-value
    // items narrower than 32 bits are widened into the 4-byte slot. Nothing when the block is too
    // short for what it says it holds.
    static std::unique_ptr<CapabilityContainer> FromBlock(TW_UINT16 type, const BYTE* block, size_t size);
    // A one-value of the item type holding item (item's bytes at the type's width, or the string).
    static std::unique_ptr<CapabilityContainer> OneValue(TW_UINT16 itemType, const BYTE* item, size_t itemBytes);

    TW_UINT16 type() const { return type_; }
    const std::vector<BYTE>& bytes() const { return bytes_; }
    TW_UINT16 itemType() const;
    uint32_t U32(size_t offset) const;

    // Enumerations and arrays.
    uint32_t count() const;
    const BYTE* Item(uint32_t index) const;
    // The current item: the enumeration's at CurrentIndex, the range's CurrentValue, the array's
    // first, the one-value's Item.
    const BYTE* CurrentItem() const;
    // Its bytes: the item type's width, or 4 for a range slot.
    size_t CurrentItemBytes() const;

private:
    TW_UINT16 type_;
    std::vector<BYTE> bytes_;
};

// Offsets within the containers.
constexpr size_t kOneValueItem = 2;
constexpr size_t kRangeMin = 2, kRangeMax = 6, kRangeStep = 10, kRangeDefault = 14, kRangeCurrent = 18, kRangeSize = 22;
constexpr size_t kListCount = 2;
constexpr size_t kEnumCurrent = 6, kEnumDefault = 10, kEnumItems = 14, kArrayItems = 6;

// An item read as a number at the width of its type.
uint32_t ItemNumber(TW_UINT16 itemType, const BYTE* item);

}  // namespace source

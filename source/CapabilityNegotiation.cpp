#include "CapabilityNegotiation.h"

#include "ManagerMemory.h"

#include <cstring>

namespace source {
namespace {

constexpr uint64_t kLargestOffer = 1 << 20;

bool IsInteger(TW_UINT16 type) { return type <= TWTY_UINT32; }

// Whether value (read at the width of valueType) is among the items of an enumeration or array.
bool AmongItems(const CapabilityContainer& list, TW_UINT16 valueType, const BYTE* value) {
    uint32_t number = ItemNumber(valueType, value);
    for (uint32_t i = 0; i < list.count(); ++i)
        if (ItemNumber(list.itemType(), list.Item(i)) == number) return true;
    return false;
}

bool AllAmongItems(const CapabilityContainer& defaults, const CapabilityContainer& offer) {
    for (uint32_t i = 0; i < offer.count(); ++i)
        if (!AmongItems(defaults, offer.itemType(), offer.Item(i))) return false;
    return true;
}

// The header the offered block must hold before its items.
size_t HeaderSize(TW_UINT16 type) {
    switch (type) {
    case TWON_ARRAY: return 8;
    case TWON_ENUMERATION: return 16;
    case TWON_ONEVALUE: return 6;
    default: return kRangeSize;
    }
}

// The offered container copied out of the application's block, when it is sound.
std::unique_ptr<CapabilityContainer> ReadOffer(const TW_CAPABILITY& capability) {
    if (capability.ConType < TWON_ARRAY || capability.ConType > TWON_RANGE) return nullptr;
    ManagerLock block(capability.hContainer);
    auto bytes = block.as<const BYTE>();
    size_t header = HeaderSize(capability.ConType);
    if (!bytes || !Readable(bytes, header)) return nullptr;
    TW_UINT16 itemType = TW_UINT16(bytes[0] | bytes[1] << 8);
    if (itemType > TWTY_STR255) return nullptr;
    uint64_t whole = header;
    if (capability.ConType == TWON_ONEVALUE) {
        whole = 2 + std::max<size_t>(ItemSize(itemType), 4);
    } else if (capability.ConType != TWON_RANGE) {
        uint32_t count;
        std::memcpy(&count, bytes + kListCount, 4);
        whole += uint64_t(count) * ItemSize(itemType);
    }
    if (whole > kLargestOffer || !Readable(bytes, size_t(whole))) return nullptr;
    auto offer = CapabilityContainer::FromBlock(capability.ConType, bytes, size_t(whole));
    if (!offer) return nullptr;
    if (offer->type() == TWON_ENUMERATION &&
        (offer->U32(kEnumCurrent) >= offer->count() || offer->U32(kEnumDefault) >= offer->count()))
        return nullptr;
    if (offer->type() == TWON_RANGE) {
        uint32_t step = offer->U32(kRangeStep), min = offer->U32(kRangeMin);
        if (step == 0 || (offer->U32(kRangeDefault) - min) % step || (offer->U32(kRangeCurrent) - min) % step)
            return nullptr;
    }
    return offer;
}

std::shared_ptr<CapabilityContainer> OneValueFromRange(const CapabilityContainer& range, const CapabilityContainer& offer) {
    int32_t value = int32_t(offer.U32(kOneValueItem));
    int32_t min = int32_t(range.U32(kRangeMin)), max = int32_t(range.U32(kRangeMax));
    uint32_t step = range.U32(kRangeStep);
    if (value < min || value > max || (step && (uint32_t(value) - uint32_t(min)) % step)) return nullptr;
    return CapabilityContainer::OneValue(offer.itemType(), offer.CurrentItem(), 4);
}

std::shared_ptr<CapabilityContainer> RangeFromRange(const CapabilityContainer& range, const CapabilityContainer& offer) {
    uint32_t step = range.U32(kRangeStep), offeredStep = offer.U32(kRangeStep);
    if (offer.U32(kRangeMin) < range.U32(kRangeMin) || offer.U32(kRangeMax) > range.U32(kRangeMax) ||
        offeredStep < step || (step && offeredStep % step))
        return nullptr;
    return std::make_shared<CapabilityContainer>(offer);
}

// Answers a container in a new block that the application owns.
Code Answer(TW_CAPABILITY* capability, const CapabilityContainer& container) {
    ManagerBlock block(ManagerMemory::Allocate(TW_UINT32(container.bytes().size())));
    {
        ManagerLock bytes(block.get());
        if (!bytes) return kNoMemory;
        std::memcpy(bytes.data(), container.bytes().data(), container.bytes().size());
    }
    capability->ConType = container.type();
    capability->hContainer = block.release();
    return kOk;
}

Code Get(CapabilityEntry& entry, TW_UINT16 message, TW_CAPABILITY* capability) {
    const CapabilityContainer& chosen = message == MSG_GETDEFAULT ? *entry.defaultContainer : *entry.current;
    TW_UINT16 currentType = entry.current->type();
    if (message != MSG_GET && (currentType == TWON_ENUMERATION || currentType == TWON_RANGE)) {
        auto one = CapabilityContainer::OneValue(chosen.itemType(), chosen.CurrentItem(), chosen.CurrentItemBytes());
        return Answer(capability, *one);
    }
    return Answer(capability, chosen);
}

// Whether an offered item type may stand for the default's.
bool Compatible(TW_UINT16 defaultType, TW_UINT16 offeredType) {
    if (defaultType <= TWTY_BOOL) return IsInteger(offeredType) || (defaultType == TWTY_BOOL && offeredType == TWTY_BOOL);
    if (defaultType <= TWTY_STR32) return offeredType == defaultType;
    return offeredType >= TWTY_STR32 && offeredType <= defaultType && defaultType <= TWTY_STR255;
}

// MSG_SET's table: the new current container when the offer may replace the default, else nothing.
std::shared_ptr<CapabilityContainer> AcceptOffer(const CapabilityEntry& entry, const CapabilityContainer& offer) {
    const CapabilityContainer& defaults = *entry.defaultContainer;
    bool compatible = Compatible(defaults.itemType(), offer.itemType());
    switch (defaults.type() * 16 + offer.type()) {
    case TWON_ARRAY * 16 + TWON_ARRAY:
        if (entry.id == CAP_EXTENDEDCAPS && !AllAmongItems(defaults, offer)) return nullptr;
        return std::make_shared<CapabilityContainer>(offer);
    case TWON_ENUMERATION * 16 + TWON_ENUMERATION:
        if (!compatible || offer.count() > defaults.count() || !AllAmongItems(defaults, offer)) return nullptr;
        return std::make_shared<CapabilityContainer>(offer);
    case TWON_ENUMERATION * 16 + TWON_ONEVALUE:
        if (!compatible || !AmongItems(defaults, offer.itemType(), offer.CurrentItem())) return nullptr;
        return CapabilityContainer::OneValue(offer.itemType(), offer.CurrentItem(), offer.CurrentItemBytes());
    case TWON_ONEVALUE * 16 + TWON_ONEVALUE:
        if (!compatible) return nullptr;
        return CapabilityContainer::OneValue(defaults.itemType(), offer.CurrentItem(), offer.CurrentItemBytes());
    case TWON_RANGE * 16 + TWON_RANGE:
        return compatible ? RangeFromRange(defaults, offer) : nullptr;
    case TWON_RANGE * 16 + TWON_ONEVALUE:
        return compatible ? OneValueFromRange(defaults, offer) : nullptr;
    }
    return nullptr;
}

}  // namespace

Code HandleCapability(CapabilityList& list, TW_UINT16 message, void* pData) {
    auto capability = static_cast<TW_CAPABILITY*>(pData);
    bool getting = message == MSG_GET || message == MSG_GETCURRENT || message == MSG_GETDEFAULT;
    if (getting ? !Writable(pData, sizeof(TW_CAPABILITY)) : !Readable(pData, sizeof(TW_CAPABILITY))) return kBadValue;
    CapabilityEntry* entry = list.Find(capability->Cap);
    if (!entry) return kCapUnsupported;
    entry->lastMessage = message;
    if (getting) {
        capability->Cap = entry->id;
        return Get(*entry, message, capability);
    }
    if (entry->id == CAP_SUPPORTEDCAPS) return kCapBadOperation;
    if (message == MSG_RESET) {
        if (!Writable(pData, sizeof(TW_CAPABILITY))) return kBadValue;
        entry->settable = true;
        entry->current = entry->defaultContainer;
        return Get(*entry, MSG_GET, capability);
    }
    if (!entry->settable) return kBadValue;
    std::unique_ptr<CapabilityContainer> offer = ReadOffer(*capability);
    if (!offer) return kBadValue;
    std::shared_ptr<CapabilityContainer> accepted = AcceptOffer(*entry, *offer);
    if (!accepted) return kBadValue;
    entry->current = accepted;
    return kOk;
}

}  // namespace source

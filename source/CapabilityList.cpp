#include "CapabilityList.h"

#include <cstring>

namespace source {
namespace {

constexpr WORD kCapabilityResourceType = 10;

std::vector<TW_UINT16> Ids() {
    std::vector<TW_UINT16> ids = {0x0001, 0x0002};
    auto span = [&](TW_UINT16 first, TW_UINT16 last) {
        for (unsigned id = first; id <= last; ++id) ids.push_back(TW_UINT16(id));
    };
    span(0x0100, 0x0103);
    span(0x1000, 0x1004);
    span(0x1006, 0x100B);
    span(0x100E, 0x100F);
    span(0x1100, 0x1101);
    span(0x1103, 0x110A);
    span(0x110C, 0x110E);
    span(0x1110, 0x1114);
    span(0x1116, 0x1128);
    span(0x112A, 0x112C);
    return ids;
}

std::shared_ptr<CapabilityContainer> SupportedCaps(const std::vector<CapabilityEntry>& entries) {
    std::vector<BYTE> bytes(kArrayItems + entries.size() * 2 + 1, 0);
    bytes[0] = TWTY_UINT16;
    uint32_t count = uint32_t(entries.size());
    std::memcpy(&bytes[kListCount], &count, 4);
    for (size_t i = 0; i < entries.size(); ++i) std::memcpy(&bytes[kArrayItems + 2 * i], &entries[i].id, 2);
    return std::make_shared<CapabilityContainer>(TWON_ARRAY, std::move(bytes));
}

// The identifiers the source looks for, in this order.
const std::vector<TW_UINT16>& CapabilityIdsTried() {
    static const std::vector<TW_UINT16> ids = Ids();
    return ids;
}

}  // namespace

bool CapabilityList::Load(HINSTANCE module) {
    entries_.clear();
    for (TW_UINT16 id : CapabilityIdsTried()) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kCapabilityResourceType));
        if (!found) continue;
        auto block = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        DWORD size = SizeofResource(module, found);
        if (!block || size < 4) return false;
        std::shared_ptr<CapabilityContainer> container =
            CapabilityContainer::FromBlock(TW_UINT16(block[2] | block[3] << 8), block + 4, size - 4);
        if (!container) return false;
        entries_.push_back({container, container, (block[0] | block[1]) != 0, id, 0});
    }
    auto supported = SupportedCaps(entries_);
    entries_.push_back({supported, supported, true, CAP_SUPPORTEDCAPS, 0});
    return true;
}

CapabilityEntry* CapabilityList::Find(TW_UINT16 id) {
    for (CapabilityEntry& entry : entries_)
        if (entry.id == id) return &entry;
    return nullptr;
}

std::optional<int32_t> CapabilityList::CurrentNumber(TW_UINT16 id) const {
    for (const CapabilityEntry& entry : entries_) {
        if (entry.id != id) continue;
        const CapabilityContainer& c = *entry.current;
        if (c.type() == TWON_RANGE) return int32_t(c.U32(kRangeCurrent));
        return int32_t(ItemNumber(c.itemType(), c.CurrentItem()));
    }
    return std::nullopt;
}

void CapabilityList::RefreshForPicture(bool picturePending) {
    for (CapabilityEntry& entry : entries_) {
        if (entry.id != ICAP_EXPOSURETIME && entry.id != ICAP_FLASHUSED) continue;
        if (!picturePending) {
            entry.current = entry.defaultContainer;
            continue;
        }
        // The source learns nothing about a picture's flash or exposure: the picture's value is the
        // capability's own default value.
        const CapabilityContainer& defaults = *entry.defaultContainer;
        entry.current = CapabilityContainer::OneValue(defaults.itemType(), defaults.CurrentItem(), defaults.CurrentItemBytes());
    }
}

}  // namespace source

#include "NIFPropSection.h"

#include "PropertyCodec.h"

#include <set>

namespace {

constexpr uint32_t kCodePageId = 1;
constexpr int16_t kUnicodeCodePage = 1200;
constexpr uint32_t kDictionaryId = 0;

}  // namespace

NIFExtProperty* NIFPropSection::NewProperty(uint32_t id, uint32_t type) {
    NIFExtProperty& p = properties_[id];
    p = NIFExtProperty(type);
    return &p;
}

NIFExtProperty* NIFPropSection::GetProperty(uint32_t id) {
    auto it = properties_.find(id);
    return it == properties_.end() ? nullptr : &it->second;
}

const NIFExtProperty* NIFPropSection::GetProperty(uint32_t id) const {
    auto it = properties_.find(id);
    return it == properties_.end() ? nullptr : &it->second;
}

uint32_t* NIFPropSection::GetPropertyIDTable() const {
    auto* ids = new uint32_t[properties_.size() + 1];
    size_t i = 0;
    for (const auto& entry : properties_) ids[i++] = entry.first;
    return ids;
}

bool NIFPropSection::IsUnicode() const {
    const NIFExtProperty* codePage = GetProperty(kCodePageId);
    int16_t value = 0;
    return codePage && codePage->Get(&value) && value == kUnicodeCodePage;
}

// Section layout: size, count, then (identifier, offset) pairs and the values; offsets count
// from the section's start.
std::vector<uint8_t> NIFPropSection::Serialize() const {
    const nif::PropertyCodec codec(IsUnicode());
    const std::vector<uint8_t> dictionary = DictionaryValue();
    std::vector<uint8_t> values = dictionary;
    std::vector<std::pair<uint32_t, uint32_t>> index;
    const size_t entries = properties_.size() + (dictionary.empty() ? 0 : 1);
    const uint32_t head = 8 + 8 * static_cast<uint32_t>(entries);
    if (!dictionary.empty()) index.emplace_back(kDictionaryId, head);
    for (const auto& [id, property] : properties_) {
        index.emplace_back(id, head + static_cast<uint32_t>(values.size()));
        codec.Write(values, property);
    }
    std::vector<uint8_t> out(head);
    nif::StoreU32(out.data(), head + static_cast<uint32_t>(values.size()));
    nif::StoreU32(out.data() + 4, static_cast<uint32_t>(index.size()));
    for (size_t i = 0; i < index.size(); ++i) {
        nif::StoreU32(out.data() + 8 + 8 * i, index[i].first);
        nif::StoreU32(out.data() + 12 + 8 * i, index[i].second);
    }
    out.insert(out.end(), values.begin(), values.end());
    return out;
}

bool NIFPropSection::Parse(const uint8_t* data, uint32_t size, nif::ParseBudget& budget) {
    nif::ByteReader head(data, size);
    uint32_t length, count;
    if (!head.u32(&length) || !head.u32(&count) || length < 8 || length > size || count > (length - 8) / 8) return false;
    std::set<uint32_t> offsets;
    for (uint32_t i = 0; i < count; ++i)
        if (!offsets.insert(nif::LoadU32(data + 12 + 8 * i)).second) return false;
    if (!budget.take(count, size_t(count) * sizeof(NIFExtProperty))) return false;
    properties_.clear();
    // The code page comes first so that the strings (and names) after it are read in it.
    for (uint32_t pass = 0; pass < 2; ++pass) {
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t id = nif::LoadU32(data + 8 + 8 * i), offset = nif::LoadU32(data + 12 + 8 * i);
            if ((id == kCodePageId) != (pass == 0)) continue;
            if (id == kDictionaryId) {
                if (!ParseDictionary(data, length, offset, budget)) return false;
                continue;
            }
            nif::ByteReader value(data, length);
            if (offset < 8 || !value.seek(offset) ||
                !nif::PropertyCodec(IsUnicode()).Read(value, properties_[id], budget))
                return false;
        }
    }
    return true;
}

bool NIFPropSection::ParseDictionary(const uint8_t*, uint32_t, uint32_t, nif::ParseBudget&) { return true; }

void NIFPropSection::Release() { delete this; }

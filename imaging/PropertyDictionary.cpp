#include "PropertyDictionary.h"

#include "ByteReader.h"

namespace nif {
namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Pad4(std::vector<uint8_t>& out) {
    while (out.size() % 4) out.push_back(0);
}

// Narrow names hold their characters as bytes, as narrow strings do; others become '?'.
void PutName(std::vector<uint8_t>& out, const std::wstring& name, bool unicode) {
    PutU32(out, static_cast<uint32_t>(name.size() + 1));
    for (wchar_t c : name) {
        if (unicode) {
            out.push_back(static_cast<uint8_t>(c));
            out.push_back(static_cast<uint8_t>(c >> 8));
        } else {
            out.push_back(c < 256 ? static_cast<uint8_t>(c) : '?');
        }
    }
    out.insert(out.end(), unicode ? 2 : 1, 0);
    if (unicode) Pad4(out);
}

bool ReadName(ByteReader& in, bool unicode, std::wstring* name) {
    uint32_t length;
    if (!in.u32(&length) || length == 0) return false;
    const size_t width = unicode ? 2 : 1;
    if (length > in.remaining() / width) return false;
    name->clear();
    for (uint32_t i = 0; i < length; ++i) {
        uint16_t c16 = 0;
        uint8_t c8 = 0;
        if (unicode ? !in.u16(&c16) : !in.u8(&c8)) return false;
        const wchar_t c = unicode ? wchar_t(c16) : wchar_t(c8);
        if (i + 1 == length) return c == 0 && (!unicode || in.align4());
        name->push_back(c);
    }
    return false;
}

}  // namespace

std::vector<uint8_t> WriteDictionary(const PropertyNames& names, bool unicode) {
    std::vector<uint8_t> out;
    PutU32(out, static_cast<uint32_t>(names.size()));
    for (const auto& [id, name] : names) {
        PutU32(out, id);
        PutName(out, name, unicode);
    }
    Pad4(out);
    return out;
}

bool ReadDictionary(const uint8_t* data, size_t size, bool unicode, PropertyNames* names, ParseBudget& budget) {
    ByteReader in(data, size);
    uint32_t count;
    if (!in.u32(&count) || count > in.remaining() / 9) return false;
    names->clear();
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t id;
        std::wstring name;
        if (!in.u32(&id) || !ReadName(in, unicode, &name)) return false;
        if (!budget.take(1, sizeof(PropertyNames::value_type) + name.size() * sizeof(wchar_t))) return false;
        (*names)[id] = name;
    }
    return true;
}

}  // namespace nif

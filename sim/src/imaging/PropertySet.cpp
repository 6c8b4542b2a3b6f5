#include <algorithm>
#include "PropertySet.h"

#include <cstring>

namespace pvsim {
namespace {

void putLe(Bytes& b, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void pad4(Bytes& b) {
    while (b.size() % 4) b.push_back(0);
}

int hexDigit(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

}  // namespace

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

Guid guidFromText(const char* t) {
    uint8_t raw[16];
    for (int i = 0, k = 0; i < 16; ++k) {
        if (t[k] == '-') continue;
        raw[i++] = static_cast<uint8_t>(hexDigit(t[k]) << 4 | hexDigit(t[k + 1]));
        ++k;
    }
    // The first three groups are stored least significant byte first.
    return {raw[3], raw[2], raw[1], raw[0], raw[5], raw[4], raw[7], raw[6],
            raw[8], raw[9], raw[10], raw[11], raw[12], raw[13], raw[14], raw[15]};
}

PropertySetWriter::PropertySetWriter(const Guid& fmtid) : fmtid_(fmtid) {
    add(1, kVtI2, {0xE4, 0x04});   // code page 1252
}

void PropertySetWriter::add(uint32_t id, uint32_t type, Bytes value) {
    Bytes v;
    putLe(v, type, 4);
    v.insert(v.end(), value.begin(), value.end());
    pad4(v);
    values_[id] = std::move(v);
}

void PropertySetWriter::addUi4(uint32_t id, uint32_t v) { Bytes b; putLe(b, v, 4); add(id, kVtUi4, b); }
void PropertySetWriter::addI4(uint32_t id, int32_t v) { Bytes b; putLe(b, static_cast<uint32_t>(v), 4); add(id, kVtI4, b); }

void PropertySetWriter::addR4(uint32_t id, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    Bytes b;
    putLe(b, bits, 4);
    add(id, kVtR4, b);
}

void PropertySetWriter::addUi4Vector(uint32_t id, const std::vector<uint32_t>& v) {
    Bytes b;
    putLe(b, v.size(), 4);
    for (uint32_t x : v) putLe(b, x, 4);
    add(id, kVtVector | kVtUi4, b);
}

void PropertySetWriter::addText(uint32_t id, const std::string& ascii) {
    Bytes b;
    putLe(b, ascii.size() + 1, 4);
    for (char c : ascii) putLe(b, static_cast<uint8_t>(c), 2);
    putLe(b, 0, 2);
    add(id, kVtLpwstr, b);
}

void PropertySetWriter::addAnsi(uint32_t id, const std::string& text) {
    Bytes b;
    putLe(b, text.size() + 1, 4);
    b.insert(b.end(), text.begin(), text.end());
    b.push_back(0);
    add(id, kVtLpstr, b);
}

void PropertySetWriter::addFiletime(uint32_t id, uint64_t ticks) { Bytes b; putLe(b, ticks, 8); add(id, kVtFiletime, b); }

void PropertySetWriter::addBlob(uint32_t id, const Bytes& data) {
    Bytes b;
    putLe(b, data.size(), 4);
    b.insert(b.end(), data.begin(), data.end());
    add(id, kVtBlob, b);
}

void PropertySetWriter::addDib(uint32_t id, const Bytes& dib) {
    Bytes b;
    putLe(b, dib.size() + 8, 4);
    putLe(b, 0xFFFFFFFFu, 4);   // a Windows clipboard format follows
    putLe(b, 8, 4);             // CF_DIB
    b.insert(b.end(), dib.begin(), dib.end());
    add(id, kVtCf, b);
}

Bytes PropertySetWriter::build() const {
    Bytes out;
    putLe(out, 0xFFFE, 2);        // byte order
    putLe(out, 0, 2);             // format version
    putLe(out, 0x00020005, 4);    // written on Win32
    out.insert(out.end(), 16, 0); // class identifier
    putLe(out, 1, 4);             // one section
    out.insert(out.end(), fmtid_.begin(), fmtid_.end());
    putLe(out, 48, 4);            // where the section starts
    Bytes section;
    size_t offset = 8 + values_.size() * 8;
    putLe(section, 0, 4);         // size, patched below
    putLe(section, values_.size(), 4);
    for (const auto& [id, v] : values_) {
        putLe(section, id, 4);
        putLe(section, offset, 4);
        offset += v.size();
    }
    for (const auto& [id, v] : values_) section.insert(section.end(), v.begin(), v.end());
    for (int i = 0; i < 4; ++i) section[static_cast<size_t>(i)] = static_cast<uint8_t>(section.size() >> (8 * i));
    out.insert(out.end(), section.begin(), section.end());
    return out;
}

std::map<uint32_t, Property> readPropertySet(const Bytes& s) {
    std::map<uint32_t, Property> out;
    if (s.size() < 48 || s[0] != 0xFE || s[1] != 0xFF) return out;
    size_t at = le32(&s[44]);
    if (at + 8 > s.size()) return out;
    size_t size = std::min<size_t>(le32(&s[at]), s.size() - at);
    size_t count = le32(&s[at + 4]);
    if (count > (size - 8) / 8) return out;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = &s[at + 8 + i * 8];
        size_t valueAt = le32(e + 4);
        if (valueAt < 8 || valueAt + 4 > size) continue;
        Property p;
        p.type = le32(&s[at + valueAt]);
        p.value.assign(s.begin() + static_cast<long>(at + valueAt + 4), s.begin() + static_cast<long>(at + size));
        out[le32(e)] = std::move(p);
    }
    return out;
}

}  // namespace pvsim

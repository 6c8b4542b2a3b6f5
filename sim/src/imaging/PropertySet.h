// OLE property set streams (one section, little-endian), written and read back.
#pragma once

#include "../wire/Bytes.h"

#include <array>
#include <map>
#include <string>

namespace pvsim {

using Guid = std::array<uint8_t, 16>;   // in the on-disk byte order

// "56616000-C154-11CE-8553-00AA00A1F95B" style text to on-disk bytes.
Guid guidFromText(const char* text);

enum VarType : uint32_t {
    kVtI2 = 2, kVtI4 = 3, kVtR4 = 4, kVtUi4 = 19, kVtLpstr = 30, kVtLpwstr = 31, kVtFiletime = 64,
    kVtBlob = 65, kVtCf = 71, kVtVector = 0x1000,
};

class PropertySetWriter {
public:
    explicit PropertySetWriter(const Guid& fmtid);
    void addUi4(uint32_t id, uint32_t v);
    void addI4(uint32_t id, int32_t v);
    void addR4(uint32_t id, float v);
    void addUi4Vector(uint32_t id, const std::vector<uint32_t>& v);
    void addText(uint32_t id, const std::string& ascii);   // VT_LPWSTR
    void addAnsi(uint32_t id, const std::string& text);    // VT_LPSTR in code page 1252
    void addFiletime(uint32_t id, uint64_t ticks);
    void addBlob(uint32_t id, const Bytes& data);
    void addDib(uint32_t id, const Bytes& dib);             // VT_CF holding CF_DIB
    Bytes build() const;

private:
    void add(uint32_t id, uint32_t type, Bytes value);
    Guid fmtid_;
    std::map<uint32_t, Bytes> values_;   // type and value, padded to 4 bytes
};

struct Property {
    uint32_t type = 0;
    Bytes value;   // the bytes after the type word
};

// Properties of the first section, or an empty map when the stream is not a property set.
std::map<uint32_t, Property> readPropertySet(const Bytes& stream);

uint32_t le32(const uint8_t* p);

}  // namespace pvsim

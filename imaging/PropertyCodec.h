// The serialised form of property values inside a property-set section.
#pragma once

#include "ByteReader.h"
#include "NIFExtProperty.h"

#include <vector>

namespace nif {

class PropertyCodec {
public:
    // unicode: the section's code page is UTF-16 (1200), which also holds its narrow strings.
    explicit PropertyCodec(bool unicode) : unicode_(unicode) {}

    // A type word and its value; false when the bytes end early or the type is not known.
    bool Read(ByteReader& in, NIFExtProperty& out) const { return ReadTyped(in, out, 0); }
    void Write(std::vector<uint8_t>& out, const NIFExtProperty& p) const;

private:
    bool ReadTyped(ByteReader& in, NIFExtProperty& out, int depth) const;
    bool ReadValue(ByteReader& in, uint32_t type, NIFExtProperty& out, int depth) const;
    bool ReadScalar(ByteReader& in, uint32_t type, NIFExtProperty& out) const;
    bool ReadText(ByteReader& in, uint32_t type, NIFExtProperty& out) const;
    bool ReadBytes(ByteReader& in, uint32_t type, NIFExtProperty& out) const;
    bool ReadVector(ByteReader& in, uint32_t type, NIFExtProperty& out, int depth) const;
    void WriteValue(std::vector<uint8_t>& out, const NIFExtProperty& p) const;
    void WriteScalar(std::vector<uint8_t>& out, const NIFExtProperty& p) const;
    void WriteText(std::vector<uint8_t>& out, const NIFExtProperty& p) const;

    bool unicode_;
};

}  // namespace nif

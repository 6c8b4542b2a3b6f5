// The serialised form of property values inside a property-set section.
#pragma once

#include "ByteReader.h"
#include "NIFExtProperty.h"
#include "ParseBudget.h"

#include <vector>

namespace nif {

class PropertyCodec {
public:
    // unicode: the section's code page is UTF-16 (1200), which also holds its narrow strings.
    explicit PropertyCodec(bool unicode) : unicode_(unicode) {}

    // A type word and its value, charged to budget; false when the bytes end early, the type is
    // not known or the value passes the budget.
    bool Read(ByteReader& in, NIFExtProperty& out, ParseBudget& budget) const {
        return ReadTyped(in, out, 0, budget);
    }
    void Write(std::vector<uint8_t>& out, const NIFExtProperty& p) const;

private:
    bool ReadTyped(ByteReader& in, NIFExtProperty& out, int depth, ParseBudget& budget) const;
    bool ReadValue(ByteReader& in, uint32_t type, NIFExtProperty& out, int depth, ParseBudget& budget) const;
    bool ReadScalar(ByteReader& in, uint32_t type, NIFExtProperty& out) const;
    bool ReadText(ByteReader& in, uint32_t type, NIFExtProperty& out, ParseBudget& budget) const;
    bool ReadBytes(ByteReader& in, uint32_t type, NIFExtProperty& out, ParseBudget& budget) const;
    bool ReadVector(ByteReader& in, uint32_t type, NIFExtProperty& out, int depth, ParseBudget& budget) const;
    void WriteValue(std::vector<uint8_t>& out, const NIFExtProperty& p) const;
    void WriteScalar(std::vector<uint8_t>& out, const NIFExtProperty& p) const;
    void WriteText(std::vector<uint8_t>& out, const NIFExtProperty& p) const;

    bool unicode_;
};

}  // namespace nif

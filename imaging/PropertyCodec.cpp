#include "PropertyCodec.h"

#include <cstring>

namespace nif {
namespace {

// Bytes of a fixed-size value, 0 for the variable ones.
size_t ScalarWidth(uint32_t type) {
    switch (type) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: case VT_R4: return 4;
    case VT_I8: case VT_UI8: case VT_FILETIME: case VT_R8: return 8;
    default: return 0;
    }
}

bool IsSigned(uint32_t type) {
    return type == VT_I1 || type == VT_I2 || type == VT_I4 || type == VT_INT || type == VT_BOOL ||
           type == VT_I8;
}

int64_t SignExtend(uint64_t raw, size_t width) {
    const int shift = static_cast<int>(64 - 8 * width);
    return static_cast<int64_t>(raw << shift) >> shift;
}

void Pad4(std::vector<uint8_t>& out) {
    while (out.size() % 4) out.push_back(0);
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t b[4];
    StoreU32(b, v);
    out.insert(out.end(), b, b + 4);
}

void PutLittle(std::vector<uint8_t>& out, uint64_t v, size_t width) {
    for (size_t i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

constexpr int kMaxDepth = 2;   // a vector of variants, whose elements are scalars or vectors of them

}  // namespace

bool PropertyCodec::ReadTyped(ByteReader& in, NIFExtProperty& out, int depth, ParseBudget& budget) const {
    uint32_t type;
    return in.u32(&type) && ReadValue(in, type, out, depth, budget);
}

bool PropertyCodec::ReadValue(ByteReader& in, uint32_t type, NIFExtProperty& out, int depth,
                              ParseBudget& budget) const {
    if (depth > kMaxDepth) return false;
    if (type & VT_VECTOR) return ReadVector(in, type, out, depth, budget) && in.align4();
    if (ScalarWidth(type)) return ReadScalar(in, type, out) && in.align4();
    if (type == VT_LPSTR || type == VT_LPWSTR) return ReadText(in, type, out, budget) && in.align4();
    if (type == VT_BLOB || type == VT_CF || type == VT_CLSID) return ReadBytes(in, type, out, budget) && in.align4();
    if (type == VT_EMPTY || type == VT_NULL) return (out = NIFExtProperty(type), true);
    return false;
}

bool PropertyCodec::ReadScalar(ByteReader& in, uint32_t type, NIFExtProperty& out) const {
    const size_t width = ScalarWidth(type);
    if (in.remaining() < width) return false;
    uint64_t raw = 0;
    for (size_t i = 0; i < width; ++i) raw |= uint64_t(in.here()[i]) << (8 * i);
    in.skip(width);
    out = NIFExtProperty(type);
    if (type == VT_R4) {
        float f;
        uint32_t bits = static_cast<uint32_t>(raw);
        std::memcpy(&f, &bits, 4);
        out.real_ = f;
    } else if (type == VT_R8) {
        std::memcpy(&out.real_, &raw, 8);
    } else {
        out.integer_ = IsSigned(type) ? SignExtend(raw, width) : static_cast<int64_t>(raw);
    }
    return true;
}

// Lengths count bytes for narrow text and characters for wide text, both with the terminator.
bool PropertyCodec::ReadText(ByteReader& in, uint32_t type, NIFExtProperty& out, ParseBudget& budget) const {
    uint32_t length;
    if (!in.u32(&length)) return false;
    const bool wide = type == VT_LPWSTR || unicode_;
    const size_t bytes = type == VT_LPWSTR ? size_t(length) * 2 : length;
    if (bytes > in.remaining() || !budget.take(0, size_t(length) * sizeof(wchar_t))) return false;
    out = NIFExtProperty(type);
    const uint8_t* p = in.here();
    for (size_t i = 0; i + (wide ? 1 : 0) < bytes; i += wide ? 2 : 1) {
        wchar_t c = wide ? LoadU16(p + i) : p[i];
        if (c == 0) break;
        out.text_.push_back(c);
    }
    return in.skip(bytes);
}

bool PropertyCodec::ReadBytes(ByteReader& in, uint32_t type, NIFExtProperty& out, ParseBudget& budget) const {
    uint32_t size = 16;
    if (type != VT_CLSID && !in.u32(&size)) return false;
    if (size > in.remaining() || !budget.take(0, size)) return false;
    out = NIFExtProperty(type);
    out.bytes_.assign(in.here(), in.here() + size);
    return in.skip(size);
}

bool PropertyCodec::ReadVector(ByteReader& in, uint32_t type, NIFExtProperty& out, int depth,
                               ParseBudget& budget) const {
    const uint32_t element = type & ~uint32_t(VT_VECTOR);
    uint32_t count;
    const size_t width = ScalarWidth(element);
    if (element & VT_VECTOR || !in.u32(&count) || count > in.remaining() / (width ? width : 4)) return false;
    if (!budget.take(count, size_t(count) * sizeof(NIFExtProperty))) return false;
    out = NIFExtProperty(type);
    out.elements_.resize(count);
    for (NIFExtProperty& e : out.elements_) {
        // Small numbers are packed; everything else is padded element by element.
        bool ok = width && width < 4 ? ReadScalar(in, element, e)
                  : element == VT_VARIANT ? ReadTyped(in, e, depth + 1, budget)
                                         : ReadValue(in, element, e, depth + 1, budget);
        if (!ok) return false;
    }
    return true;
}

void PropertyCodec::Write(std::vector<uint8_t>& out, const NIFExtProperty& p) const {
    PutU32(out, p.type_);
    WriteValue(out, p);
}

void PropertyCodec::WriteValue(std::vector<uint8_t>& out, const NIFExtProperty& p) const {
    const uint32_t type = p.type_;
    if (type & VT_VECTOR) {
        const uint32_t element = type & ~uint32_t(VT_VECTOR);
        PutU32(out, static_cast<uint32_t>(p.elements_.size()));
        const size_t width = ScalarWidth(element);
        for (const NIFExtProperty& e : p.elements_) {
            if (width && width < 4) WriteScalar(out, e);
            else if (element == VT_VARIANT) Write(out, e);
            else WriteValue(out, e);
        }
    } else if (ScalarWidth(type)) {
        WriteScalar(out, p);
    } else if (type == VT_LPSTR || type == VT_LPWSTR) {
        WriteText(out, p);
    } else if (type == VT_BLOB || type == VT_CF || type == VT_CLSID) {
        if (type != VT_CLSID) PutU32(out, static_cast<uint32_t>(p.bytes_.size()));
        out.insert(out.end(), p.bytes_.begin(), p.bytes_.end());
    }
    Pad4(out);
}

void PropertyCodec::WriteScalar(std::vector<uint8_t>& out, const NIFExtProperty& p) const {
    uint64_t raw = static_cast<uint64_t>(p.integer_);
    if (p.type_ == VT_R4) {
        float f = static_cast<float>(p.real_);
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        raw = bits;
    } else if (p.type_ == VT_R8) {
        std::memcpy(&raw, &p.real_, 8);
    }
    PutLittle(out, raw, ScalarWidth(p.type_));
}

void PropertyCodec::WriteText(std::vector<uint8_t>& out, const NIFExtProperty& p) const {
    const bool wide = p.type_ == VT_LPWSTR || unicode_;
    const size_t characters = p.text_.size() + 1;
    PutU32(out, static_cast<uint32_t>(p.type_ == VT_LPWSTR ? characters : characters * (wide ? 2 : 1)));
    for (size_t i = 0; i < characters; ++i) PutLittle(out, i < p.text_.size() ? p.text_[i] : 0, wide ? 2 : 1);
}

}  // namespace nif

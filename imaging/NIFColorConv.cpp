#include "NIFColorConv.h"

#include "PixelRows.h"
#include "ShapeCurves.h"

#if defined(__i386__)
#include "ColorRowSse2.h"

#include <windows.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float kYccToRgbMatrix[12] = {1.3584f, 0.0f,     1.8215f,  -249.55f,
                                       1.3584f, -0.4303f, -0.9271f, 194.14f,
                                       1.3584f, 2.2179f,  0.0f,     -345.99f};
constexpr float kRgbToYccMatrix[12] = {0.22003f,  0.43227f,  0.08386f,  0.0f,
                                       -0.13476f, -0.26475f, 0.39952f,  156.0f,
                                       0.38491f,  -0.32237f, -0.06254f, 137.0f};
constexpr float kIdentityMatrix[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
constexpr int32_t kIdentityCount = 256;

int16_t FixedPoint(double value) {
    double v = std::floor(32.0 * value + 0.5);
    return static_cast<int16_t>(std::clamp(v, -32768.0, 32767.0));
}

// Three channels walked with one pointer each, so that the per-pixel step inlines.
template <typename Step>
void ForEachPixel3(long width, long height, const NIFChannel* c, Step step) {
    for (long y = 0; y < height; ++y) {
        uint8_t* p0 = c[0].start + y * c[0].lineStride;
        uint8_t* p1 = c[1].start + y * c[1].lineStride;
        uint8_t* p2 = c[2].start + y * c[2].lineStride;
        for (long x = 0; x < width; ++x, p0 += c[0].pixelStride, p1 += c[1].pixelStride, p2 += c[2].pixelStride)
            step(*p0, *p1, *p2);
    }
}

template <int N>
bool HasAllChannels(const NIFChannel* channels) {
    return std::all_of(channels, channels + N, [](const NIFChannel& c) { return c.start != nullptr; });
}

}  // namespace

NIFColorConv::NIFColorConv(NIF_COCO_TYPE type) {
    switch (type) {
    case NIF_COCO_YCC_TO_RGB:
        std::memcpy(matrix_, kYccToRgbMatrix, sizeof matrix_);
        adoptShape(nif::YccToRgbShape(), nif::kYccToRgbShapeCount, false);
        break;
    case NIF_COCO_RGB_TO_YCC:
        std::memcpy(matrix_, kRgbToYccMatrix, sizeof matrix_);
        adoptShape(nif::RgbToYccShape(), nif::kRgbToYccShapeCount, false);
        preShape_ = true;
        break;
    default:
        std::memcpy(matrix_, kIdentityMatrix, sizeof matrix_);
        adoptShape(nullptr, 0, true);
        break;
    }
    buildLookupTables();
}

NIFColorConv::NIFColorConv(const float matrix[12], const int32_t* shape, int32_t count, bool preShape)
    : preShape_(preShape) {
    std::memcpy(matrix_, matrix, sizeof matrix_);
    adoptShape(shape, count, true);
    buildLookupTables();
}

NIFColorConv::NIFColorConv(const NIFColorConv& other) { *this = other; }

NIFColorConv& NIFColorConv::operator=(const NIFColorConv& other) {
    if (this == &other) return *this;
    releaseShape();
    std::memcpy(matrix_, other.matrix_, sizeof matrix_);
    std::memcpy(tables_, other.tables_, sizeof tables_);
    std::memcpy(matrix4_, other.matrix4_, sizeof matrix4_);
    std::memcpy(tables4_, other.tables4_, sizeof tables4_);
    std::memcpy(packed_, other.packed_, sizeof packed_);
    std::memcpy(outBytes_, other.outBytes_, sizeof outBytes_);
    preShape_ = other.preShape_;
    adoptShape(other.shape_, other.shapeCount_, other.ownsShape_);
    return *this;
}

NIFColorConv::~NIFColorConv() { releaseShape(); }

// A built-in curve is shared static data; any other table is the converter's own copy, and an
// empty one becomes the identity.
void NIFColorConv::adoptShape(const int32_t* shape, int32_t count, bool owned) {
    ownsShape_ = owned;
    if (!owned) {
        shape_ = shape;
        shapeCount_ = count;
        return;
    }
    shapeCount_ = count > 0 && shape ? count : kIdentityCount;
    int32_t* copy = new int32_t[shapeCount_];
    for (int32_t i = 0; i < shapeCount_; ++i) copy[i] = count > 0 && shape ? shape[i] : i;
    shape_ = copy;
}

void NIFColorConv::releaseShape() {
    if (ownsShape_) delete[] shape_;
    shape_ = nullptr;
    ownsShape_ = false;
}

// Fixed point with 5 fraction bits; the row's constant rides on the table of input channel 2.
void NIFColorConv::buildLookupTables() {
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < kTableSize; ++i) {
            tables_[k][0][i] = FixedPoint(double(matrix_[k][0]) * i);
            tables_[k][1][i] = FixedPoint(double(matrix_[k][1]) * i);
            tables_[k][2][i] = FixedPoint(double(matrix_[k][2]) * i + matrix_[k][3]);
        }
    buildPackedTables();
    buildOutputBytes();
    buildFourChannelTables();
}

// Rows 0 to 2 take the colour coefficients and, in the opacity's column, the row's constant per
// unit of opacity; row 3 passes the opacity on.
void NIFColorConv::buildFourChannelTables() {
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j)
            matrix4_[k][j] = k == 3 ? (j == 3 ? 1.0f : 0.0f) : j == 3 ? matrix_[k][3] / 255.0f : matrix_[k][j];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < kTableSize; ++i) tables4_[k][j][i] = FixedPoint(double(matrix4_[k][j]) * i);
}

void NIFColorConv::convertFourPostShape(uint8_t& a0, uint8_t& a1, uint8_t& a2, uint8_t a3) const {
    uint8_t* out[3] = {&a0, &a1, &a2};
    const uint8_t in[4] = {a0, a1, a2, a3};
    for (int k = 0; k < 3; ++k) {
        const int s = tables4_[k][0][in[0]] + tables4_[k][1][in[1]] + tables4_[k][2][in[2]] + tables4_[k][3][in[3]];
        const int v = s < -16 ? 0 : std::min((s + 16) >> 5, shapeCount_ - 1);
        *out[k] = static_cast<uint8_t>(std::clamp(shape_[v], 0, 255));
    }
}

// A pre-shape entry indexes the 350-entry tables, so it is held inside them; an input not
// below the count takes the last entry.
int NIFColorConv::preShapedIndex(int a) const {
    return std::clamp(shape_[std::min(a, shapeCount_ - 1)], 0, kTableSize - 1);
}

void NIFColorConv::buildPackedTables() {
    for (int j = 0; j < 3; ++j)
        for (int a = 0; a < 256; ++a) {
            const int i = preShape_ ? preShapedIndex(a) : a;
            uint64_t lanes = 0;
            for (int k = 0; k < 3; ++k)
                lanes |= uint64_t(tables_[k][j][i] + 32768 + (j == 0 ? 16 : 0)) << (kLaneBits * k);
            packed_[j][a] = lanes;
        }
}

// Post-shape: below the rounding threshold a sum takes the first entry, beyond the table its
// last, and entries are held to bytes. Pre-shape: the rounded sum itself, held to a byte.
void NIFColorConv::buildOutputBytes() {
    for (int v = -kShapeBias; v <= kShapeBias; ++v)
        outBytes_[v + kShapeBias] = static_cast<uint8_t>(
            std::clamp(preShape_ ? v : shape_[std::clamp(v, 0, shapeCount_ - 1)], 0, 255));
}

int NIFColorConv::colorConvert(long width, long height, const NIFChannel channels[3]) const {
    if (!channels || !HasAllChannels<3>(channels)) return NIF_MISSING_ARGUMENT;
    ForEachPixel3(width, height, channels, [this](uint8_t& a, uint8_t& b, uint8_t& c) { convertThree(a, b, c); });
    return NIF_OK;
}

void NIFColorConv::convertRow(const uint8_t* src, long plane, long width, const NIFChannel out[3]) const {
#if defined(__i386__)
    static const bool sse2 = IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE);
    if (sse2 && nif::PackedPixels(out, 1))
        return nif::ConvertRowWithSse2(packed_, outBytes_, src, plane, width, out[0].start, false);
    if (sse2 && nif::PackedPixels(out, -1))
        return nif::ConvertRowWithSse2(packed_, outBytes_, src, plane, width, out[2].start, true);
#endif
    nif::WriteRow(src, plane, width, out, [this](uint8_t& a, uint8_t& b, uint8_t& c) { convertThree(a, b, c); });
}

int NIFColorConv::colorConvert4Chan(long width, long height, const NIFChannel channels[4]) const {
    if (!channels || !HasAllChannels<4>(channels)) return NIF_MISSING_ARGUMENT;
    for (long y = 0; y < height; ++y) {
        uint8_t* p[4];
        for (int c = 0; c < 4; ++c) p[c] = channels[c].start + y * channels[c].lineStride;
        for (long x = 0; x < width; ++x) {
            convertFourPostShape(*p[0], *p[1], *p[2], *p[3]);
            for (int c = 0; c < 4; ++c) p[c] += channels[c].pixelStride;
        }
    }
    return NIF_OK;
}

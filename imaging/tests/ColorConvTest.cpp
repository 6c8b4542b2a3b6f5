// Colour conversion: the fixed points of the built-in converters, the table arithmetic at its
// edges, and buffers addressed through strides.
#include "NIFColorConv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

std::array<uint8_t, 3> Convert(const NIFColorConv& c, uint8_t a0, uint8_t a1, uint8_t a2) {
    c.convertPixel(a0, a1, a2);
    return {a0, a1, a2};
}

// One pixel by the definition: each output sums three table entries (of the pre-shaped inputs,
// or of the inputs themselves before a post-shape) and rounds the sum.
std::array<uint8_t, 3> ByDefinition(const NIFColorConv& c, bool preShape, const std::array<uint8_t, 3>& in) {
    int i[3];
    for (int j = 0; j < 3; ++j)
        i[j] = preShape ? std::clamp(c.shapeEntry(std::min<int32_t>(in[j], c.shapeCount() - 1)), 0, 349) : in[j];
    std::array<uint8_t, 3> out{};
    for (int k = 0; k < 3; ++k) {
        const int s = c.tableEntry(k, 0, i[0]) + c.tableEntry(k, 1, i[1]) + c.tableEntry(k, 2, i[2]);
        const int v = s < -16 ? 0 : (s + 16) >> 5;
        out[k] = static_cast<uint8_t>(preShape ? std::min(v, 255)
                                               : std::clamp(c.shapeEntry(std::min(v, c.shapeCount() - 1)), 0, 255));
    }
    return out;
}

// Every a0, a1 and every step-th a2.
void ExpectDefinitionEverywhere(const NIFColorConv& c, bool preShape, int step) {
    int wrong = 0;
    for (int a0 = 0; a0 < 256; ++a0)
        for (int a1 = 0; a1 < 256; ++a1)
            for (int a2 = 0; a2 < 256; a2 += step) {
                const std::array<uint8_t, 3> in{uint8_t(a0), uint8_t(a1), uint8_t(a2)};
                if (Convert(c, in[0], in[1], in[2]) != ByDefinition(c, preShape, in) && ++wrong < 5)
                    ADD_FAILURE() << "input " << a0 << "," << a1 << "," << a2;
            }
    EXPECT_EQ(0, wrong);
}

void ExpectNonDecreasing(const NIFColorConv& c) {
    for (int32_t i = 1; i < c.shapeCount(); ++i) ASSERT_LE(c.shapeEntry(i - 1), c.shapeEntry(i)) << "entry " << i;
}

}  // namespace

TEST(ColorConv, PhotoYccShapeTablePassesItsFixedPoints) {
    NIFColorConv c(NIF_COCO_YCC_TO_RGB);
    ASSERT_EQ(361, c.shapeCount());
    const int start[] = {0, 1, 1, 2, 2, 3, 4, 5, 6, 7, 8};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(start[i], c.shapeEntry(i)) << i;
    EXPECT_EQ(126, c.shapeEntry(100));
    EXPECT_EQ(217, c.shapeEntry(180));
    EXPECT_EQ(248, c.shapeEntry(255));
    for (int i = 341; i <= 360; ++i) EXPECT_EQ(255, c.shapeEntry(i)) << i;
    ExpectNonDecreasing(c);
}

TEST(ColorConv, RgbShapeTablePassesItsFixedPoints) {
    NIFColorConv c(NIF_COCO_RGB_TO_YCC);
    ASSERT_EQ(256, c.shapeCount());
    const int start[] = {0, 1, 3, 5, 6, 7, 8, 9};
    const int end[] = {253, 259, 268, 278, 292, 309, 327, 342};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(start[i], c.shapeEntry(i)) << i;
        EXPECT_EQ(end[i], c.shapeEntry(248 + i)) << 248 + i;
    }
    EXPECT_EQ(82, c.shapeEntry(100));
    ExpectNonDecreasing(c);
}

// Every entry of the nine tables of both built-in converters against the matrices as given:
// floor(32 c i + 0.5), the row's constant added to the coefficient of input channel 2.
TEST(ColorConv, TablesFollowTheGivenMatrices) {
    const double yccToRgb[3][4] = {{1.3584, 0, 1.8215, -249.55}, {1.3584, -0.4303, -0.9271, 194.14},
                                   {1.3584, 2.2179, 0, -345.99}};
    const double rgbToYcc[3][4] = {{0.22003, 0.43227, 0.08386, 0}, {-0.13476, -0.26475, 0.39952, 156},
                                   {0.38491, -0.32237, -0.06254, 137}};
    const std::pair<NIF_COCO_TYPE, const double(*)[4]> converters[] = {{NIF_COCO_YCC_TO_RGB, yccToRgb},
                                                             {NIF_COCO_RGB_TO_YCC, rgbToYcc}};
    for (const auto& [type, m] : converters) {
        NIFColorConv c(type);
        int wrong = 0;
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 350; ++i) {
                    const double value = m[k][j] * i + (j == 2 ? m[k][3] : 0);
                    // float coefficients, as the converter holds them: a rounding edge may move by one
                    const int expected = int(std::floor(32 * value + 0.5));
                    if (std::abs(c.tableEntry(k, j, i) - expected) > (i > 0 ? 1 : 0) && ++wrong < 5)
                        ADD_FAILURE() << "type " << type << " table " << k << "," << j << " entry " << i;
                }
        EXPECT_EQ(0, wrong);
    }
    NIFColorConv c(NIF_COCO_YCC_TO_RGB);
    EXPECT_EQ(435, c.tableEntry(0, 0, 10));      // floor(32 * 1.3584 * 10 + 0.5)
    EXPECT_EQ(-7986, c.tableEntry(0, 2, 0));     // the constant -249.55 rides on channel 2
    EXPECT_EQ(-138, c.tableEntry(1, 1, 10));     // floor(32 * -0.4303 * 10 + 0.5)
}

TEST(ColorConv, EveryPixelFollowsTheTableArithmetic) {
    ExpectDefinitionEverywhere(NIFColorConv(NIF_COCO_YCC_TO_RGB), false, 1);
    ExpectDefinitionEverywhere(NIFColorConv(NIF_COCO_RGB_TO_YCC), true, 7);
    // Entries at both ends of the 16-bit range, and sums beyond a short shape table.
    const float steep[12] = {200, -200, 90, 1000, -150, 150, -90, -1000, 130, 130, 130, -2000};
    const int32_t shape[5] = {-3, 40, 90, 400, 7};
    ExpectDefinitionEverywhere(NIFColorConv(steep, shape, 5, false), false, 7);
    ExpectDefinitionEverywhere(NIFColorConv(steep, shape, 5, true), true, 7);
}

TEST(ColorConv, PhotoYccNeutralBlackIsBlack) {
    NIFColorConv c(NIF_COCO_YCC_TO_RGB);
    EXPECT_EQ((std::array<uint8_t, 3>{0, 0, 0}), Convert(c, 0, 156, 137));
}

TEST(ColorConv, PostShapeOverflowTakesTheLastEntry) {
    NIFColorConv c(NIF_COCO_YCC_TO_RGB);
    // 1.3584 * 255 + 1.8215 * 255 - 249.55 is far beyond entry 360.
    EXPECT_EQ(255, Convert(c, 255, 0, 255)[0]);
    const float m[12] = {4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0};
    const int32_t shape[4] = {10, 20, 30, 40};
    NIFColorConv small(m, shape, 4, false);
    EXPECT_EQ((std::array<uint8_t, 3>{40, 10, 10}), Convert(small, 255, 0, 0));
}

TEST(ColorConv, PreShapeOf255IndexesEntry342) {
    NIFColorConv c(NIF_COCO_RGB_TO_YCC);
    ASSERT_EQ(342, c.shapeEntry(255));
    const int y = (c.tableEntry(0, 0, 342) + c.tableEntry(0, 1, 342) + c.tableEntry(0, 2, 342) + 16) >> 5;
    EXPECT_EQ(std::min(255, y), Convert(c, 255, 255, 255)[0]);
    EXPECT_EQ(252, y);   // 0.73616 * 342
}

TEST(ColorConv, PreShapeClampsSumsToBytes) {
    const float m[12] = {-1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1, 0};
    NIFColorConv c(m, nullptr, 0, true);
    EXPECT_EQ((std::array<uint8_t, 3>{0, 255, 7}), Convert(c, 200, 200, 7));
}

TEST(ColorConv, IdentityLeavesEveryByteUnchanged) {
    NIFColorConv c(NIF_COCO_IDENTITY);
    ASSERT_EQ(256, c.shapeCount());
    for (int v = 0; v < 256; ++v) {
        uint8_t b = static_cast<uint8_t>(v);
        EXPECT_EQ((std::array<uint8_t, 3>{b, uint8_t(255 - v), b}), Convert(c, b, uint8_t(255 - v), b));
    }
}

TEST(ColorConv, ShapeEntriesBeyondTheTablesAreHeldInside) {
    const float m[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    const int32_t shape[2] = {-50, 100000};
    NIFColorConv c(m, shape, 2, true);
    EXPECT_EQ((std::array<uint8_t, 3>{0, 255, 255}), Convert(c, 0, 1, 200));
}

TEST(ColorConv, PlanarAndInterleavedBuffersGiveTheSameResult) {
    NIFColorConv c(NIF_COCO_YCC_TO_RGB);
    const int w = 5, h = 3;
    std::vector<uint8_t> packed(w * h * 3), planes(w * h * 3);
    for (size_t i = 0; i < packed.size(); ++i) packed[i] = static_cast<uint8_t>(i * 37 + 11);
    for (int p = 0; p < w * h; ++p)
        for (int k = 0; k < 3; ++k) planes[k * w * h + p] = packed[p * 3 + k];
    // The interleaved buffer is walked bottom-up with a negative line stride.
    const NIFChannel inter[3] = {{&packed[(h - 1) * w * 3], 3, -w * 3},
                                 {&packed[(h - 1) * w * 3 + 1], 3, -w * 3},
                                 {&packed[(h - 1) * w * 3 + 2], 3, -w * 3}};
    const NIFChannel planar[3] = {{&planes[0], 1, w}, {&planes[w * h], 1, w}, {&planes[2 * w * h], 1, w}};
    ASSERT_EQ(0, c.colorConvert(w, h, inter));
    ASSERT_EQ(0, c.colorConvert(w, h, planar));
    for (int p = 0; p < w * h; ++p)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(planes[k * w * h + p], packed[p * 3 + k]) << p << "/" << k;
}

// Four channels: premultiplied colour, so the row constants scale with the opacity, and always
// post-shaped. Opaque PhotoYCC white is white and black is black; a clear pixel stays clear and
// black; the opacity passes unchanged.
TEST(ColorConv, FourChannelsScaleTheConstantsByOpacityAndPostShape) {
    NIFColorConv c(NIF_COCO_YCC_TO_RGB);
    const float constants[3] = {-249.55f, 194.14f, -345.99f};
    for (int k = 0; k < 3; ++k) {
        EXPECT_FLOAT_EQ(constants[k] / 255, c.fourChannelEntry(k, 3)) << "row " << k;
        EXPECT_EQ(0.0f, c.fourChannelEntry(3, k));
    }
    EXPECT_FLOAT_EQ(1.3584f, c.fourChannelEntry(0, 0));
    EXPECT_FLOAT_EQ(-0.4303f, c.fourChannelEntry(1, 1));
    EXPECT_EQ(1.0f, c.fourChannelEntry(3, 3));
    uint8_t px[16] = {255, 156, 137, 255, 0, 156, 137, 255, 0, 0, 0, 0, 0, 78, 69, 128};
    const NIFChannel four[4] = {{px, 4, 16}, {px + 1, 4, 16}, {px + 2, 4, 16}, {px + 3, 4, 16}};
    ASSERT_EQ(0, c.colorConvert4Chan(4, 1, four));
    const uint8_t expected[16] = {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 128};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(expected[i], px[i], i >= 12 ? 1 : 0) << "byte " << i;
    // A pre-shaped converter post-shapes four channels: half of 100 indexes the shape table
    // (entry 50), where pre-shaping would halve entry 100.
    const float half[12] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    std::vector<int32_t> shape(256);
    for (int i = 0; i < 256; ++i) shape[i] = 255 - i;
    NIFColorConv pre(half, shape.data(), 256, true);
    uint8_t q[4] = {100, 0, 255, 255};
    const NIFChannel one[4] = {{q, 4, 4}, {q + 1, 4, 4}, {q + 2, 4, 4}, {q + 3, 4, 4}};
    ASSERT_EQ(0, pre.colorConvert4Chan(1, 1, one));
    EXPECT_EQ((std::array<uint8_t, 4>{205, 255, 0, 255}), (std::array<uint8_t, 4>{q[0], q[1], q[2], q[3]}));
    const NIFChannel missing[4] = {{px, 4, 4}, {nullptr, 4, 4}, {px + 2, 4, 4}, {px + 3, 4, 4}};
    EXPECT_EQ(NIF_MISSING_ARGUMENT, c.colorConvert(1, 1, missing));
    EXPECT_EQ(NIF_MISSING_ARGUMENT, c.colorConvert4Chan(1, 1, missing));
}

TEST(ColorConv, CopiesConvertAlikeAndOwnTheirTables) {
    const float m[12] = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    std::vector<int32_t> shape(256);
    for (int i = 0; i < 256; ++i) shape[i] = 255 - i;
    auto* original = new NIFColorConv(m, shape.data(), 256, false);
    NIFColorConv copy(*original);
    NIFColorConv assigned(NIF_COCO_IDENTITY);
    assigned = *original;
    const auto expected = Convert(*original, 10, 20, 30);
    delete original;
    shape.assign(256, 0);
    EXPECT_EQ(expected, Convert(copy, 10, 20, 30));
    EXPECT_EQ(expected, Convert(assigned, 10, 20, 30));
    EXPECT_EQ((std::array<uint8_t, 3>{235, 245, 225}), expected);
}

// Rows of the tile decoder's planes (and of any other plane distance) into pixels of three bytes
// in either channel order, or through separate channels, give what each pixel alone gives.
TEST(ColorConv, RowsGiveWhatPixelsGive) {
    const float steep[12] = {200, -200, 90, 1000, -150, 150, -90, -1000, 130, 130, 130, -2000};
    const int32_t shape[5] = {-3, 40, 90, 400, 7};
    const NIFColorConv converters[] = {NIFColorConv(NIF_COCO_YCC_TO_RGB), NIFColorConv(NIF_COCO_RGB_TO_YCC),
                                       NIFColorConv(steep, shape, 5, false)};
    const long width = 1000;
    for (long plane : {4096L, 1003L}) {
        std::vector<uint8_t> src(3 * plane);
        for (long x = 0; x < width; ++x)
            for (int k = 0; k < 3; ++k) src[k * plane + x] = static_cast<uint8_t>((x * (k * 2 + 3) + k * 91) ^ (x >> 3));
        for (const NIFColorConv& c : converters) {
            std::vector<uint8_t> forward(width * 3), backward(width * 3), apart(width * 3);
            const NIFChannel toForward[3] = {{&forward[0], 3, 0}, {&forward[1], 3, 0}, {&forward[2], 3, 0}};
            const NIFChannel toBackward[3] = {{&backward[2], 3, 0}, {&backward[1], 3, 0}, {&backward[0], 3, 0}};
            const NIFChannel toApart[3] = {{&apart[0], 1, 0}, {&apart[width], 1, 0}, {&apart[2 * width], 1, 0}};
            c.convertRow(src.data(), plane, width, toForward);
            c.convertRow(src.data(), plane, width, toBackward);
            c.convertRow(src.data(), plane, width, toApart);
            int wrong = 0;
            for (long x = 0; x < width; ++x) {
                const std::array<uint8_t, 3> p = Convert(c, src[x], src[plane + x], src[2 * plane + x]);
                for (int k = 0; k < 3; ++k)
                    wrong += forward[x * 3 + k] != p[k] || backward[x * 3 + 2 - k] != p[k] || apart[k * width + x] != p[k];
            }
            EXPECT_EQ(0, wrong) << "plane " << plane;
        }
    }
}

#include "ShapeCurves.h"

#include <array>

namespace nif {
namespace {

struct Knot {
    int x;
    int y;
};

// A curve that passes through every knot and is linear between them (rounded half up).
template <int N, int K>
constexpr std::array<int32_t, N> Interpolate(const Knot (&knots)[K]) {
    std::array<int32_t, N> table{};
    for (int k = 0; k + 1 < K; ++k) {
        const Knot a = knots[k], b = knots[k + 1];
        for (int x = a.x; x <= b.x; ++x)
            table[x] = a.y + ((x - a.x) * (b.y - a.y) * 2 + (b.x - a.x)) / (2 * (b.x - a.x));
    }
    return table;
}

// The two curves are each other's inverse at their knots, so that a picture converted to
// PhotoYCC and back keeps its tones.
constexpr Knot kDisplayKnots[] = {
    {0, 0},     {1, 1},     {2, 1},     {3, 2},     {4, 2},     {5, 3},     {6, 4},
    {7, 5},     {8, 6},     {9, 7},     {10, 8},    {82, 100},  {100, 126}, {180, 217}, {253, 248}, {255, 248},
    {259, 249}, {268, 250}, {278, 251}, {292, 252}, {309, 253}, {327, 254}, {341, 255},
    {360, 255}};
constexpr Knot kSceneKnots[] = {
    {0, 0},     {1, 1},     {2, 3},     {3, 5},     {4, 6},     {5, 7},     {6, 8},
    {7, 9},     {8, 10},    {100, 82},  {126, 100}, {217, 180}, {248, 253}, {249, 259},
    {250, 268}, {251, 278}, {252, 292}, {253, 309}, {254, 327}, {255, 342}};

constexpr auto kYccToRgb = Interpolate<kYccToRgbShapeCount>(kDisplayKnots);
constexpr auto kRgbToYcc = Interpolate<kRgbToYccShapeCount>(kSceneKnots);

}  // namespace

const int32_t* YccToRgbShape() { return kYccToRgb.data(); }
const int32_t* RgbToYccShape() { return kRgbToYcc.data(); }

}  // namespace nif

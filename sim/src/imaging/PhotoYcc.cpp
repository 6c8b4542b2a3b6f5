#include "PhotoYcc.h"

#include <array>
#include <cmath>

namespace pvsim {
namespace {

struct Knot { int in, out; };
constexpr Knot kCurve[] = {{0, 0},     {1, 1},     {2, 3},     {3, 5},     {4, 6},     {5, 7},
                           {6, 8},     {7, 9},     {100, 82},  {248, 253}, {249, 259}, {250, 268},
                           {251, 278}, {252, 292}, {253, 309}, {254, 327}, {255, 342}};

std::array<double, 256> shapeTable() {
    std::array<double, 256> t{};
    for (size_t k = 0; k + 1 < std::size(kCurve); ++k)
        for (int v = kCurve[k].in; v <= kCurve[k + 1].in; ++v)
            t[static_cast<size_t>(v)] = kCurve[k].out + double(kCurve[k + 1].out - kCurve[k].out) *
                                                            (v - kCurve[k].in) / (kCurve[k + 1].in - kCurve[k].in);
    return t;
}

uint8_t clamp8(double v) { return static_cast<uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, v)))); }

}  // namespace

Raster toPhotoYcc(const Raster& rgb) {
    static const auto shape = shapeTable();
    Raster out(rgb.width, rgb.height);
    for (size_t i = 0; i < rgb.rgb.size(); i += 3) {
        double r = shape[rgb.rgb[i]], g = shape[rgb.rgb[i + 1]], b = shape[rgb.rgb[i + 2]];
        out.rgb[i] = clamp8(0.22003 * r + 0.43227 * g + 0.08386 * b);
        out.rgb[i + 1] = clamp8(-0.13476 * r - 0.26475 * g + 0.39952 * b + 156);
        out.rgb[i + 2] = clamp8(0.38491 * r - 0.32237 * g - 0.06254 * b + 137);
    }
    return out;
}

}  // namespace pvsim

#include <algorithm>
#include "Scene.h"

namespace pvsim {

uint64_t SeedSequence::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

namespace {

struct Colour { int r, g, b; };

Colour pick(SeedSequence& s, int lo, int hi) {
    return {lo + s.below(hi - lo), lo + s.below(hi - lo), lo + s.below(hi - lo)};
}

void put(Raster& r, int x, int y, Colour c) {
    uint8_t* p = r.at(x, y);
    p[0] = static_cast<uint8_t>(c.r);
    p[1] = static_cast<uint8_t>(c.g);
    p[2] = static_cast<uint8_t>(c.b);
}

void paintSky(Raster& r, Colour top, Colour bottom) {
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
            int t = y * 256 / r.height;
            put(r, x, y, {top.r + (bottom.r - top.r) * t / 256, top.g + (bottom.g - top.g) * t / 256,
                          top.b + (bottom.b - top.b) * t / 256});
        }
}

void paintSun(Raster& r, SeedSequence& s) {
    int cx = s.below(r.width), cy = s.below(r.height / 2), rad = r.height / 10 + s.below(r.height / 8);
    for (int y = std::max(0, cy - rad); y < std::min(r.height, cy + rad); ++y)
        for (int x = std::max(0, cx - rad); x < std::min(r.width, cx + rad); ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < rad * rad) put(r, x, y, {235, 205, 90});
}

void paintHills(Raster& r, SeedSequence& s) {
    Colour ground = {40 + s.below(60), 90 + s.below(80), 40 + s.below(50)};
    int base = r.height / 2 + s.below(r.height / 4), amp = r.height / 10 + 1, wave = 60 + s.below(120);
    for (int x = 0; x < r.width; ++x) {
        int top = base + amp * ((x * 7 / wave) % 5 - 2) / 3;
        for (int y = std::max(0, top); y < r.height; ++y)
            put(r, x, y, {ground.r + (y - top) / 8 % 40, ground.g, ground.b + (x / 16) % 20});
    }
}

void paintBlocks(Raster& r, SeedSequence& s) {
    for (int i = 0, n = 3 + s.below(4); i < n; ++i) {
        Colour c = pick(s, 30, 220);
        int w = r.width / 12 + s.below(r.width / 6), h = r.height / 12 + s.below(r.height / 5);
        int x0 = s.below(r.width - w), y0 = s.below(r.height - h);
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) put(r, x, y, c);
    }
}

}  // namespace

Raster paintScene(uint64_t seed, int width, int height) {
    SeedSequence s(seed);
    Raster r(width, height);
    paintSky(r, pick(s, 60, 160), pick(s, 150, 230));
    paintSun(r, s);
    paintHills(r, s);
    paintBlocks(r, s);
    return r;
}

}  // namespace pvsim

// Stores the part of a decoded tile that falls in a region through the destination's pointers
// and strides, converting its colour space on the way.
#pragma once

#include "ColorSpace.h"
#include "NIFToolkit.h"

namespace nif {

struct Span {
    long x, y, width, height;   // in the level's pixels
};

class RegionWriter {
public:
    // origin: the level pixel that the destination's first pixel shows. converter: the
    // converter from the stored space to the destination's, or nullptr when they are the same.
    RegionWriter(const NIFDestination& destination, const ColorSpace& stored, long originX, long originY,
                 const NIFColorConv* converter)
        : d_(destination), stored_(stored), originX_(originX), originY_(originY), converter_(converter) {}

    // tile: a decoded tile (see DecodedTile.h) whose top left pixel is at (tileX, tileY).
    void write(const uint8_t* tile, long tileX, long tileY, const Span& part) const;

private:
    void copyChannel(int channel, const uint8_t* tile, long tileX, long tileY, const Span& part) const;
    NIFChannel at(int channel, const Span& part) const;

    const NIFDestination& d_;
    ColorSpace stored_;
    long originX_, originY_;
    const NIFColorConv* converter_;
};

// The converter needed between the two spaces (nullptr when none is), or false when the
// stored space cannot give the requested one.
bool ConverterFor(const ColorSpace& stored, const NIFDestination& destination, const NIFColorConv** converter);

}  // namespace nif

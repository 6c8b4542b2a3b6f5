// Fixed-point colour conversion between the colour spaces of FlashPix files and 8-bit RGB.
#pragma once

#include "NIFDefs.h"

enum NIF_COCO_TYPE : int {
    NIF_COCO_IDENTITY = 0,
    NIF_COCO_RGB_TO_YCC = 1,
    NIF_COCO_YCC_TO_RGB = 2,
};

// One channel of a pixel buffer: where its first sample is, and the byte steps to the next pixel
// and to the next line (either may be negative).
struct NIFChannel {
    uint8_t* start;
    long pixelStride;
    long lineStride;
};

class NIF_API NIFColorConv {
public:
    static constexpr int kTableSize = 350;

    explicit NIFColorConv(NIF_COCO_TYPE type);
    // matrix: 3 rows of 4 (three coefficients and an offset). A count of zero or less gives an
    // identity shape table of 256 entries; otherwise the count entries of shape are copied.
    NIFColorConv(const float matrix[12], const int32_t* shape, int32_t count, bool preShape);
    NIFColorConv(const NIFColorConv& other);
    NIFColorConv& operator=(const NIFColorConv& other);
    ~NIFColorConv();

    // Converts width x height pixels in place. Returns NIF_OK, or NIF_MISSING_ARGUMENT when a
    // channel has no start pointer.
    int colorConvert(long width, long height, const NIFChannel channels[3]) const;
    // The same with a fourth channel, opacity, by the 4 x 4 matrix and always post-shaped: the
    // colour channels of a picture with opacity are premultiplied by it, so a row's constant
    // scales with the opacity (its column of the matrix holds the constant per unit of opacity)
    // and the opacity itself is kept as it is.
    int colorConvert4Chan(long width, long height, const NIFChannel channels[4]) const;

    // One row of width pixels whose three samples lie in three planes: src[x], src[x + plane]
    // and src[x + 2 * plane] for pixel x. They go to the three channels (start and pixel stride;
    // the line stride is not used). The same arithmetic as colorConvert.
    void convertRow(const uint8_t* src, long plane, long width, const NIFChannel out[3]) const;

    // One pixel, for callers that walk their own buffers.
    void convertPixel(uint8_t& a0, uint8_t& a1, uint8_t& a2) const { convertThree(a0, a1, a2); }

    int32_t shapeCount() const { return shapeCount_; }
    int32_t shapeEntry(int32_t i) const { return shape_[i]; }
    int16_t tableEntry(int row, int column, int i) const { return tables_[row][column][i]; }
    float fourChannelEntry(int row, int column) const { return matrix4_[row][column]; }

private:
    // The pre- or post-shaped sum s of an output channel, rounded as (s + 16) >> 5, gives the
    // byte outBytes_[((s + 16) >> 5) + kShapeBias]; sums of three 16-bit entries stay within the
    // span.
    static constexpr int kShapeBias = 3 * 32768 / 32;
    static constexpr int kShapeSpan = 2 * kShapeBias + 1;
    // All three sums of a pixel are formed at once: packed_[j][a] holds, for input byte a of
    // channel j, the three rows' table entries (after the pre-shape, if any) raised by 32768,
    // in lanes of kLaneBits, so that three of them add up without a carry between lanes. The
    // rounding constant rides on channel 0, and a lane shifted down by 5 indexes outBytes_.
    static constexpr int kLaneBits = 21;   // as ColorRowSse2.cpp has it
    static constexpr uint32_t kLaneMask = (1u << kLaneBits) - 1;

    void buildLookupTables();
    void buildFourChannelTables();
    void convertFourPostShape(uint8_t& a0, uint8_t& a1, uint8_t& a2, uint8_t a3) const;
    void buildPackedTables();
    void buildOutputBytes();
    int preShapedIndex(int a) const;
    void adoptShape(const int32_t* shape, int32_t count, bool owned);
    void releaseShape();
    void convertThree(uint8_t& a0, uint8_t& a1, uint8_t& a2) const {
        const uint64_t sums = packed_[0][a0] + packed_[1][a1] + packed_[2][a2];
        a0 = outBytes_[(static_cast<uint32_t>(sums) & kLaneMask) >> 5];
        a1 = outBytes_[(static_cast<uint32_t>(sums >> kLaneBits) & kLaneMask) >> 5];
        a2 = outBytes_[static_cast<uint32_t>(sums >> (2 * kLaneBits)) >> 5];
    }

    float matrix_[3][4];
    int16_t tables_[3][3][kTableSize];
    float matrix4_[4][4];
    int16_t tables4_[3][4][kTableSize];
    uint64_t packed_[3][256];
    uint8_t outBytes_[kShapeSpan];
    const int32_t* shape_ = nullptr;
    int32_t shapeCount_ = 0;
    bool ownsShape_ = false;
    bool preShape_ = false;
};

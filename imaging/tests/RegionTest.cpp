// Region reads: odd rectangles at every level land in a bottom-up bitmap exactly where the same
// pixels of the whole level are, through negative line strides; neighbouring reads hit the cache.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

namespace {

struct Rect {
    long left, top, right, bottom;
};

class Regions : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        bytes_ = WriteFpx(MakeScene(333, 201), {});
        handle_ = Open(bytes_);
        ASSERT_NE(nullptr, handle_);
    }

    std::vector<uint8_t> bytes_;
    NIFHandle* handle_ = nullptr;
};

}  // namespace

TEST_F(Regions, OddRectanglesMatchTheWholeLevelAtEveryLevel) {
    const Rect rects[] = {{0, 0, 333, 201}, {1, 1, 2, 2}, {63, 63, 65, 129}, {100, 7, 333, 200}, {17, 190, 301, 201}};
    for (int level = 0; level < 4; ++level) {
        const Picture whole = DecodeLevel(handle_, level);
        const int shift = 3 - level;
        for (const Rect& r : rects) {
            const long x0 = r.left >> shift, y0 = r.top >> shift;
            const long x1 = std::min<long>(whole.width, (r.right + (1L << shift) - 1) >> shift);
            const long y1 = std::min<long>(whole.height, (r.bottom + (1L << shift) - 1) >> shift);
            const long w = x1 - x0, h = y1 - y0, stride = (w * 3 + 3) & ~3L;
            std::vector<uint8_t> bits(stride * h + 1, 0xEE);
            NIFDestination d = NIFDestinationForBitmap(bits.data(), h, stride);
            ASSERT_EQ(0, NIFReadRegion(handle_, r.left, r.top, r.right, r.bottom, level, &d, nullptr)) << LastMessage();
            int wrong = 0;
            for (long y = 0; y < h; ++y)
                for (long x = 0; x < w; ++x)
                    for (int c = 0; c < 3; ++c)
                        wrong += bits[(h - 1 - y) * stride + x * 3 + (2 - c)] !=
                                 whole.pixels[((y0 + y) * whole.width + x0 + x) * 3 + c];
            EXPECT_EQ(0, wrong) << "level " << level << " rect " << r.left << "," << r.top;
            EXPECT_EQ(0xEE, bits.back()) << "wrote past the bitmap";
        }
    }
}

TEST_F(Regions, NeighbouringReadsHitTheCache) {
    std::vector<uint8_t> bits(64 * 3 * 64);
    NIFDestination d = NIFDestinationForBitmap(bits.data(), 64, 64 * 3);
    NIFCacheStatistics s{};
    ASSERT_EQ(0, NIFReadRegion(handle_, 0, 0, 64, 64, 3, &d, nullptr));
    ASSERT_EQ(0, NIFGetCacheStatistics(handle_, &s));
    EXPECT_EQ(0u, s.hits);
    EXPECT_EQ(1u, s.misses);
    ASSERT_EQ(0, NIFReadRegion(handle_, 32, 32, 96, 96, 3, &d, nullptr));
    ASSERT_EQ(0, NIFGetCacheStatistics(handle_, &s));
    EXPECT_EQ(1u, s.hits);
    EXPECT_EQ(4u, s.misses);
    EXPECT_EQ(4u * 64 * 64 * 3, s.bytes);
}

TEST_F(Regions, ProgressCountsTilesAfterEachRow) {
    static std::vector<std::pair<long, long>> calls;
    calls.clear();
    std::vector<uint8_t> bits(333 * 3 * 201 + 1000);
    NIFDestination d = NIFDestinationForBitmap(bits.data(), 201, 1000);
    ASSERT_EQ(0, NIFReadRegion(handle_, 0, 0, 333, 201, 3, &d, [](long total, long done) -> short {
        calls.emplace_back(total, done);
        return 0;
    }));
    // 333 x 201 is 6 x 4 tiles.
    EXPECT_EQ((std::vector<std::pair<long, long>>{{24, 6}, {24, 12}, {24, 18}, {24, 24}}), calls);
}

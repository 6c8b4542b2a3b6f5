// The camera simulator's FlashPix pictures at both sizes decode at every level, and the full size
// lies near the generator's source pixels: JPEG loss plus the simulator's RGB-to-PhotoYCC tone
// curve, which differs from the inverse of the display curve between their shared knots.
#include "ToolkitFixture.h"

#include <cstdio>
#include <set>

namespace {

double MeanError(const Picture& a, const Picture& b) {
    long long sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(int(a.pixels[i]) - int(b.pixels[i]));
    return double(sum) / a.pixels.size();
}

std::string StemOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\") + 1;
    return path.substr(slash, path.find_last_of('.') - slash);
}

// Measured 9.5 and 14.5 (640 x 480) and 12.4 (1152 x 864) on the seed-7 card. JPEG alone costs
// about 1 (see the camera-size test); the rest is the tone curve: the simulator's curve runs
// straight from 100:82 to 248:253, while the display curve bends through 180:217, so mid-to-light
// tones come back up to about 15 levels lighter. A decode that swaps channels, misplaces tiles or
// skips the colour conversion lands well above the bound.
constexpr double kMeanErrorBound = 18.0;

}  // namespace

TEST_F(ToolkitTest, SimulatorPicturesMatchTheirSources) {
    const std::string card = DataFolder("PV_SIM_CARD"), sources = DataFolder("PV_SIM_SOURCES");
    ASSERT_FALSE(sources.empty()) << "PV_SIM_SOURCES is not set";
    std::vector<std::string> files = FpxFilesIn(card + "PCCARD/DCIMAGES/");
    for (const std::string& f : FpxFilesIn(card + "PCCARD/DCIMAGES/ALBUM002/")) files.push_back(f);
    std::set<int> widths;
    for (const std::string& file : files) {
        Picture source;
        ASSERT_TRUE(ReadPnm(sources + StemOf(file) + ".ppm", &source)) << file;
        std::vector<uint8_t> bytes = ReadFileBytes(file);
        NIFHandle* h = Open(bytes);
        ASSERT_NE(nullptr, h) << file;
        NIFImageInformation info{};
        ASSERT_EQ(0, NIFGetImageInformation(h, &info));
        ASSERT_EQ(source.width, info.width) << file;
        ASSERT_EQ(source.height, info.height) << file;
        EXPECT_EQ(info.width == 640 ? 5 : 6, info.levels) << file;
        Picture level;
        for (int l = 0; l < info.levels; ++l) level = DecodeLevel(h, l);
        const double mean = MeanError(level, source);
        std::printf("%s (%d x %d): mean error against the source %.2f\n", file.c_str(), info.width, info.height, mean);
        EXPECT_LT(mean, kMeanErrorBound) << file;
        widths.insert(info.width);
        EXPECT_EQ(0, NIFCloseImage(h));
    }
    EXPECT_EQ((std::set<int>{640, 1152}), widths) << "the card holds FlashPix pictures of both sizes";
}

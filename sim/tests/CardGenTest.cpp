// The card generator gives the same image for the same seed and a different one for another seed.
#include "CardGenerator.h"

#include "../src/imaging/Jpeg.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace pvsim {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> contents(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) {
            std::ifstream in(e.path(), std::ios::binary);
            out[fs::relative(e.path(), root).string()] =
                std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }
    return out;
}

TEST(CardGenerator, SameSeedSameImage) {
    fs::path base = fs::temp_directory_path() / ("pvcardgen-" + std::to_string(getpid()));
    ASSERT_EQ(generateCard(base / "a", 42), "");
    ASSERT_EQ(generateCard(base / "b", 42), "");
    ASSERT_EQ(generateCard(base / "c", 43), "");
    auto a = contents(base / "a");
    EXPECT_EQ(a.size(), 21u);   // ten pictures, three album pictures, a damaged one, ALBUM.CTL, five odd files, .pvcard
    EXPECT_EQ(a, contents(base / "b"));
    EXPECT_NE(a, contents(base / "c"));
    EXPECT_EQ(a["PCCARD/DCIMAGES/ALBUM.CTL"].substr(0, 12), "ALBUM_FILE\r\n");
    fs::remove_all(base);
}

// Each picture has its source beside the card, the same for the same seed; a JPEG picture (album
// pictures included) decodes near its source, and asking for the sources leaves the card image as
// it was.
TEST(CardGenerator, SourcePixelsOfEveryPicture) {
    fs::path base = fs::temp_directory_path() / ("pvcardgen-src-" + std::to_string(getpid()));
    ASSERT_EQ(generateCard(base / "plain", 42), "");
    ASSERT_EQ(generateCard(base / "a", 42, base / "src-a"), "");
    ASSERT_EQ(generateCard(base / "b", 42, base / "src-b"), "");
    auto card = contents(base / "a");
    EXPECT_EQ(card, contents(base / "plain"));
    auto sources = contents(base / "src-a");
    EXPECT_EQ(sources, contents(base / "src-b"));
    size_t pictures = 0;
    for (const auto& [path, bytes] : card) {
        const fs::path p(path);
        if (p.extension() != ".JPG" && p.extension() != ".FPX" && p.extension() != ".ODC") continue;
        if (bytes.size() < 1000) continue;   // the damaged picture
        ++pictures;
        const std::string& ppm = sources[fs::path(p.filename()).replace_extension(".ppm").string()];
        const bool large = ppm.rfind("P6\n1152 864\n255\n", 0) == 0;
        ASSERT_TRUE(large || ppm.rfind("P6\n640 480\n255\n", 0) == 0) << path;
        const size_t header = std::string(large ? "P6\n1152 864\n255\n" : "P6\n640 480\n255\n").size();
        ASSERT_EQ(ppm.size(), header + (large ? 1152 * 864 * 3 : 640 * 480 * 3)) << path;
        if (p.extension() == ".FPX") continue;
        auto decoded = decodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ASSERT_TRUE(decoded) << path;
        long long sum = 0;
        for (size_t i = 0; i < decoded->rgb.size(); ++i)
            sum += std::abs(int(decoded->rgb[i]) - int(uint8_t(ppm[header + i])));
        EXPECT_LT(double(sum) / decoded->rgb.size(), 4.0) << path;
    }
    EXPECT_EQ(pictures, 13u);
    EXPECT_EQ(sources.size(), 13u);
    fs::remove_all(base);
}

}  // namespace
}  // namespace pvsim

// The card generator gives the same image for the same seed and a different one for another seed.
#include "CardGenerator.h"

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
    EXPECT_EQ(a.size(), 18u);   // ten pictures, a damaged one, ALBUM.CTL, five odd files, .pvcard
    EXPECT_EQ(a, contents(base / "b"));
    EXPECT_NE(a, contents(base / "c"));
    EXPECT_EQ(a["PCCARD/DCIMAGES/ALBUM.CTL"].substr(0, 12), "ALBUM_FILE\r\n");
    fs::remove_all(base);
}

}  // namespace
}  // namespace pvsim

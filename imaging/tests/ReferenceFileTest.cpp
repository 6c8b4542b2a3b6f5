// Files written by other FlashPix writers: every level of each valid file decodes to exactly its
// reference picture; the malformed one is refused with a clear code and message.
#include "ToolkitFixture.h"

namespace {

struct Reference {
    const char* name;
    int space;
};

const Reference kReferences[] = {
    {"rose_rgb_raw", NIF_SPACE_RGB},        {"rose_256_raw", NIF_SPACE_RGB},
    {"rose_gray_raw", NIF_SPACE_MONOCHROME}, {"rose_bw_raw", NIF_SPACE_MONOCHROME},
    {"bw_one_band_raw", NIF_SPACE_MONOCHROME},
};

class ReferenceFiles : public ToolkitTest, public ::testing::WithParamInterface<Reference> {};

}  // namespace

TEST_P(ReferenceFiles, EveryLevelMatchesItsReference) {
    THIRD_PARTY_FLASHPIX_FOLDER(folder);
    const Reference& ref = GetParam();
    std::vector<uint8_t> bytes = ReadFileBytes(folder + ref.name + ".fpx");
    ASSERT_FALSE(bytes.empty());
    long kind = 0;
    NIFHandle* h = Open(bytes, &kind);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(NIF_KIND_VIEW, kind);
    NIFImageInformation info{};
    ASSERT_EQ(0, NIFGetImageInformation(h, &info));
    EXPECT_EQ(70, info.width);
    EXPECT_EQ(46, info.height);
    ASSERT_EQ(2, info.levels);
    for (int level = 0; level < info.levels; ++level) {
        Picture expected;
        const char* ext = ref.space == NIF_SPACE_RGB ? "ppm" : "pgm";
        ASSERT_TRUE(ReadPnm(folder + ref.name + ".level" + std::to_string(level) + "." + ext, &expected));
        Picture got = DecodeLevel(h, level, ref.space);
        ASSERT_EQ(expected.width, got.width);
        ASSERT_EQ(expected.height, got.height);
        size_t differing = 0;
        for (size_t i = 0; i < got.pixels.size(); ++i) differing += got.pixels[i] != expected.pixels[i];
        EXPECT_EQ(0u, differing) << ref.name << " level " << level;
    }
    EXPECT_EQ(0, NIFCloseImage(h));
}

INSTANTIATE_TEST_SUITE_P(ThirdParty, ReferenceFiles, ::testing::ValuesIn(kReferences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ToolkitTest, MalformedChannelDescriptionIsRefused) {
    THIRD_PARTY_FLASHPIX_FOLDER(folder);
    std::vector<uint8_t> bytes = ReadFileBytes(folder + "bad_five_bands.fpx");
    ASSERT_FALSE(bytes.empty());
    NIFHandle* h = nullptr;
    long w = 0, ht = 0, k = 0;
    EXPECT_EQ(NIF_BAD_FILE, NIFOpenImageFromMemory(bytes.data(), bytes.size(), &h, &w, &ht, &k));
    EXPECT_EQ("Unsupported sub-image color in  NIFResolutionary::NIFResolutionary.", LastMessage());
    EXPECT_EQ(nullptr, h);
}

TEST_F(ToolkitTest, SummaryInformationOfAThirdPartyFile) {
    THIRD_PARTY_FLASHPIX_FOLDER(folder);
    std::vector<uint8_t> bytes = ReadFileBytes(folder + "rose_rgb_raw.fpx");
    NIFHandle* h = Open(bytes);
    ASSERT_NE(nullptr, h);
    NIFSummaryInformation s{};
    ASSERT_EQ(0, NIFGetSummaryInformation(h, &s)) << LastMessage();
    ASSERT_NE(nullptr, s.thumbnail);
    EXPECT_EQ(40u, s.thumbnail[0]);   // a BITMAPINFOHEADER
    NIFRelease(s.thumbnail);
    NIFCameraInformation camera{};
    EXPECT_EQ(NIF_STORAGE_FAILED, NIFGetCameraInformation(h, &camera));
    EXPECT_EQ("STG_E_FILENOTFOUND in NIFStorage::OpenStream.", LastMessage());
}

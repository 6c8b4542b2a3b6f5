// Picture files as other programs read them: djpeg, the Exif layout, the compound file structure
// and the FlashPix tiles decoded back to the source pixels.
#include "ExifSegment.h"
#include "FlashPix.h"
#include "Jpeg.h"
#include "Mosaic.h"
#include "PhotoYcc.h"
#include "PictureFile.h"
#include "PropertySet.h"
#include "Scene.h"

#include <cstdio>
#include <fstream>
#include <gsf/gsf.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace pvsim {
namespace {

PictureMeta sampleMeta(uint8_t format) {
    PictureMeta m;
    m.format = format;
    m.quality = 1;
    m.taken = 12345678;
    m.zoom = 3;
    m.exposure = 0x81;
    return m;
}

// The tile's samples as stored (PhotoYCC), without libjpeg's colour conversion.
Raster decodeStoredSamples(const Bytes& stream) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, stream.data(), static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_YCbCr;
    jpeg_start_decompress(&info);
    Raster out(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.at(0, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

Bytes childOf(GsfInfile* dir, const char* name) {
    GsfInput* in = gsf_infile_child_by_name(dir, name);
    if (!in) return {};
    Bytes b(static_cast<size_t>(gsf_input_size(in)));
    gsf_input_read(in, b.size(), b.data());
    g_object_unref(in);
    return b;
}

TEST(Jpeg, CameraJpegOpensInDjpegAndCarriesMakerBlockAndThumbnail) {
    Raster pic = paintScene(5, 640, 480);
    Bytes file = writePicture(pic, sampleMeta(3), "X.JPG");
    std::string path = testing::TempDir() + "/camera.jpg";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<long>(file.size()));
    EXPECT_EQ(std::system(("djpeg -outfile /dev/null " + path).c_str()), 0);

    ASSERT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{0xFF, 0xD8, 0xFF, 0xE1}));
    EXPECT_EQ(std::string(file.begin() + 6, file.begin() + 10), "Exif");
    const uint8_t* tiff = &file[12];
    EXPECT_EQ(getBe32(tiff + 4), 8u);
    EXPECT_EQ(getBe16(tiff + 8 + 2 + 2 * 12), 0x8769u);          // third entry of IFD0
    uint32_t exif = getBe32(tiff + 8 + 2 + 2 * 12 + 8);
    EXPECT_EQ(getBe16(tiff + exif + 2 + 3 * 12), 0x927Cu);       // maker note, fourth entry
    uint32_t maker = getBe32(tiff + exif + 2 + 3 * 12 + 8);
    EXPECT_EQ(Bytes(tiff + maker, tiff + maker + 5), (Bytes{0, 4, 3, 0, 1}));
    EXPECT_EQ(getBe32(tiff + maker + 12), 12345678u);
    EXPECT_EQ(tiff[maker + 46], 0x81);
    EXPECT_EQ(getBe16(tiff + maker + 48 + 2 + 2 * 12), 273u);    // StripOffsets after the fixed bytes
    uint32_t strip = getBe32(tiff + maker + 48 + 2 + 2 * 12 + 8);
    Raster thumb = resize(pic, 96, 72);
    EXPECT_EQ(Bytes(tiff + strip, tiff + strip + 20736), thumb.rgb);

    auto back = readPicture(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->meta.taken, 12345678u);
    EXPECT_EQ(back->meta.zoom, 3);
}

// A crafted card file whose IFD offsets point near the top of the 32-bit range is refused, not
// read past its end (the sums must not wrap round to small offsets).
TEST(Jpeg, IfdOffsetsNearTheTopAreRefused) {
    Bytes file = writePicture(paintScene(1, 64, 48), sampleMeta(3), "X.JPG");
    uint32_t exifPointer = 8 + 2 + 2 * 12 + 8;
    for (uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFF5u}) {
        Bytes crafted = file;
        putBe32(&crafted[12 + 4], offset);
        EXPECT_FALSE(readJpegMaker(crafted.data(), crafted.size())) << offset;
        crafted = file;
        putBe32(&crafted[12 + exifPointer], offset);
        EXPECT_FALSE(readJpegMaker(crafted.data(), crafted.size())) << offset;
    }
    EXPECT_TRUE(readJpegMaker(file.data(), file.size()));
}

TEST(FlashPix, LevelsGoDownToSixtyFourPixels) {
    EXPECT_EQ(flashPixLevels(640, 480).size(), 5u);
    EXPECT_EQ(flashPixLevels(640, 480).back(), std::make_pair(40, 30));
    EXPECT_EQ(flashPixLevels(1152, 864).size(), 6u);
    EXPECT_EQ(flashPixLevels(1152, 864).back(), std::make_pair(36, 27));
}

// Decodes tile 0 of the full-size level with the shared tables and compares it with the source.
TEST(FlashPix, CompoundFileHoldsImageObjectAndDecodableTiles) {
    gsf_init();
    Raster pic = paintScene(9, 640, 480);
    Bytes file = writeFlashPix(pic, sampleMeta(4), "PV000001.FPX");
    GsfInput* src = gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE);
    GsfInfile* ole = gsf_infile_msole_new(src, nullptr);
    ASSERT_NE(ole, nullptr);
    guint8 clsid[16];
    ASSERT_TRUE(gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(ole), clsid));
    Guid want = guidFromText("56616000-C154-11CE-8553-00AA00A1F95B");
    EXPECT_TRUE(std::equal(want.begin(), want.end(), clsid));
    // The section's format identifier follows the 28-byte header of the property set stream.
    Bytes contentsStream = childOf(ole, "\005Image Contents");
    ASSERT_GT(contentsStream.size(), 44u);
    Guid section = guidFromText("56616400-C154-11CE-8553-00AA00A1F95B");
    EXPECT_TRUE(std::equal(section.begin(), section.end(), contentsStream.begin() + 28));
    auto contents = readPropertySet(contentsStream);
    EXPECT_EQ(le32(contents.at(0x01000000).value.data()), 5u);
    EXPECT_EQ(le32(contents.at(0x02040000).value.data()), 640u);   // level 4 is the full size
    EXPECT_EQ(le32(contents.at(0x02000001).value.data()), 30u);    // level 0 the smallest
    EXPECT_EQ(contents.at(0x02040003).type, kVtVector | kVtUi4);
    Bytes tables = contents.at(0x03010001).value;
    tables.erase(tables.begin(), tables.begin() + 4);
    EXPECT_FALSE(childOf(ole, "\005SummaryInformation").empty());
    EXPECT_FALSE(childOf(ole, "\001CompObj").empty());

    GsfInfile* level = GSF_INFILE(gsf_infile_child_by_name(ole, "Resolution 0004"));
    ASSERT_NE(level, nullptr);
    Bytes header = childOf(level, "Subimage 0000 Header"), data = childOf(level, "Subimage 0000 Data");
    EXPECT_EQ(le32(&header[28 + 4]), 640u);
    EXPECT_EQ(le32(&header[28 + 12]), 80u);   // 10 x 8 tiles
    uint32_t offset = le32(&header[64]), size = le32(&header[68]);
    EXPECT_EQ(le32(&header[72]), 2u);          // JPEG
    EXPECT_EQ(le32(&header[76]), 0x01002200u);
    Bytes stream(tables.begin(), tables.begin() + static_cast<long>(le32(contents.at(0x03010001).value.data())) - 2);
    stream.insert(stream.end(), data.begin() + 28 + offset + 2, data.begin() + 28 + offset + size);
    g_object_unref(level);
    g_object_unref(ole);
    g_object_unref(src);

    Raster ycc = decodeStoredSamples(stream);
    ASSERT_EQ(ycc.width, 64);
    Raster expected = toPhotoYcc(pic);
    long error = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (int c = 0; c < 3; ++c) error += std::abs(ycc.at(x, y)[c] - expected.at(x, y)[c]);
    EXPECT_LT(error / (64 * 64 * 3), 4);   // JPEG loss only
}

TEST(FlashPix, ReaderGetsMetaAndThumbnailBack) {
    Raster pic = paintScene(3, 1152, 864);
    PictureMeta m = sampleMeta(4);
    m.resolution = 1;
    auto back = readPicture(writePicture(pic, m, "PV000002.FPX"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->meta.format, 4);
    EXPECT_EQ(back->meta.resolution, 1);
    EXPECT_EQ(back->meta.quality, 1);
    EXPECT_EQ(back->meta.taken, 12345678u);
    EXPECT_EQ(back->preview.rgb, resize(pic, 96, 72).rgb);
}

TEST(Mosaic, SamplesFollowTheColourPattern) {
    Raster r(96, 72);
    for (size_t i = 0; i < r.rgb.size(); i += 3) {
        r.rgb[i] = 0x10;      // red
        r.rgb[i + 1] = 0x20;  // green
        r.rgb[i + 2] = 0x30;  // blue
    }
    Bytes m = mosaicOf(r);
    ASSERT_EQ(m.size(), 3456u);
    EXPECT_EQ(m[0], 0x21);    // row 0: green, red
    EXPECT_EQ(m[48], 0x32);   // row 1: blue, green
}

}  // namespace
}  // namespace pvsim

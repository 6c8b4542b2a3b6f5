// Retrieval without a camera: source entries, the JPEG and FlashPix information readers, the
// Picture Information texts, and the retrieval loop over files with its messages and its Cancel.
#include "ErrorDisplay.h"
#include "FlashPixInformation.h"
#include "FpxTestWriter.h"
#include "JpegInformation.h"
#include "PictureInformation.h"
#include "PictureFormat.h"
#include "RetrievalCodes.h"
#include "RetrievalLoop.h"
#include "RetrievalProgress.h"
#include "TestPictures.h"
#include "WindowAnswerer.h"

#include "PvresIds.h"

#include <gtest/gtest.h>

using namespace acquire;
using namespace retrievaltest;

namespace {

Bytes Bgr(int b, int g, int r) { return {BYTE(b), BYTE(g), BYTE(r)}; }

bool Near(const Bytes& pixel, const Bytes& want, int tolerance = 40) {
    for (size_t i = 0; i < 3; ++i)
        if (std::abs(int(pixel[i]) - int(want[i])) > tolerance) return false;
    return true;
}

}  // namespace

TEST(SourceEntry, CameraEntriesRoundTripAndDiskPathsStayWhole) {
    std::string text = CameraSourceText(1, 12, "PV000012.JPG");
    EXPECT_EQ("0m=1,p=12,f=PV000012.JPG", text);
    SourceEntry entry;
    ASSERT_TRUE(ParseSourceEntry(text, 3, &entry));
    EXPECT_TRUE(entry.camera);
    EXPECT_EQ(1, entry.memory);
    EXPECT_EQ(12, entry.picture);
    EXPECT_EQ("PV000012.JPG", entry.name);
    EXPECT_EQ(0, entry.request[0]);
    EXPECT_EQ(1, entry.request[1]);

    ASSERT_TRUE(ParseSourceEntry("C:\\Pictures\\0m=1.JPG", 4, &entry));
    EXPECT_FALSE(entry.camera);
    EXPECT_EQ(1, entry.memory);
    EXPECT_EQ(4, entry.picture);
    EXPECT_EQ("C:\\Pictures\\0m=1.JPG", entry.name);
    // Written as a camera entry but not one.
    EXPECT_FALSE(ParseSourceEntry("0m=1", 1, &entry));
    EXPECT_FALSE(ParseSourceEntry("0m=1,p=0,f=X.JPG", 1, &entry));
    EXPECT_FALSE(ParseSourceEntry("0x", 1, &entry));
    // Names are cut to what the record holds.
    ASSERT_TRUE(ParseSourceEntry(std::string(400, 'A'), 1, &entry));
    EXPECT_EQ(259u, entry.name.size());
}

TEST(SourceEntry, FormatComesFromTheName) {
    EXPECT_EQ(kFormatJpeg, FormatOfFileName("C:\\a\\b.jpg"));
    EXPECT_EQ(kFormatFlashPix, FormatOfFileName("C:\\a\\B.Fpx"));
    EXPECT_EQ(kFormatJpeg, FormatOfFileName("C:\\a\\b.JPG.fpx"));
    EXPECT_EQ(kErrUnknownFileType, FormatOfFileName("C:\\a\\b.BMP"));
    EXPECT_EQ(kErrUnknownFileType, FormatOfFileName("C:\\a\\JPG"));
}

TEST(JpegInformation, PlainJpegGivesItsSizeAndAReducedThumbnail) {
    Bytes plain = PlainJpeg();
    PictureReading reading;
    ASSERT_EQ(0, ReadJpegInformation(plain.data(), plain.size(), &reading));
    EXPECT_EQ(kFormatJpeg, reading.format);
    EXPECT_EQ(160u, reading.width);
    EXPECT_EQ(120u, reading.height);
    EXPECT_TRUE(reading.colour);
    EXPECT_FALSE(reading.maker);
    ASSERT_EQ(20736u, reading.thumbnail.size());
    // Red left, blue right, green along the bottom; stored bottom-up as blue, green, red.
    EXPECT_TRUE(Near(ThumbnailPixel(reading.thumbnail, 10, 10), Bgr(0, 0, 255)));
    EXPECT_TRUE(Near(ThumbnailPixel(reading.thumbnail, 85, 10), Bgr(255, 0, 0)));
    EXPECT_TRUE(Near(ThumbnailPixel(reading.thumbnail, 10, 68), Bgr(0, 255, 0)));
    EXPECT_TRUE(Near(ThumbnailPixel(reading.thumbnail, 85, 68), Bgr(0, 255, 0)));
}

TEST(JpegInformation, CameraBlockGivesItsFieldsAndTheEmbeddedThumbnail) {
    Bytes file = CameraJpeg(Pv360Block(), StripPattern());
    PictureReading reading;
    ASSERT_EQ(0, ReadJpegInformation(file.data(), file.size(), &reading));
    EXPECT_EQ(160u, reading.width);
    ASSERT_TRUE(reading.maker);
    EXPECT_EQ(106, reading.maker->cameraType);
    EXPECT_EQ(0x123456u, reading.maker->taken);
    EXPECT_TRUE(reading.maker->flashUsed);
    EXPECT_EQ(80, reading.maker->apertureTenths);
    EXPECT_EQ(8000u, reading.maker->exposureMicroseconds);
    EXPECT_EQ(5, reading.maker->zoom);
    // The strip's pixel (x, y) is red x, green y, blue x + y; the thumbnail holds it at row 71 - y
    // as blue, green, red.
    ASSERT_EQ(20736u, reading.thumbnail.size());
    for (auto [x, y] : {std::pair{0, 0}, {95, 0}, {0, 71}, {40, 30}, {95, 71}})
        EXPECT_EQ(Bgr(x + y, y, x), ThumbnailPixel(reading.thumbnail, x, y)) << x << "," << y;
}

TEST(JpegInformation, RefusesWhatIsNotJpegAndBrokenCameraBlocks) {
    PictureReading reading;
    const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
    EXPECT_EQ(kErrJpegData, ReadJpegInformation(gif.data(), gif.size(), &reading));
    const Bytes start = {0xFF, 0xD8};
    EXPECT_EQ(kErrJpegData, ReadJpegInformation(start.data(), start.size(), &reading));
    EXPECT_EQ(kErrJpegData, ReadJpegInformation(nullptr, 0, &reading));
    Bytes noHeader = {0xFF, 0xD8, 0xFF, 0xD9, 0, 0, 0, 0};
    EXPECT_EQ(kErrJpegHeader, ReadJpegInformation(noHeader.data(), noHeader.size(), &reading));
    for (auto [offset, value] : {std::pair{3, 2}, {4, 4}, {17, 5}, {27, 3}}) {
        Bytes block = Pv360Block();
        block[size_t(offset)] = BYTE(value);
        Bytes file = CameraJpeg(block, StripPattern());
        EXPECT_EQ(kErrJpegData, ReadJpegInformation(file.data(), file.size(), &reading)) << offset;
    }
    // Another camera's maker block is no business of ours: the picture reads as a plain JPEG.
    Bytes other = Pv360Block();
    other[1] = 7;
    Bytes file = CameraJpeg(other, StripPattern());
    PictureReading plain;
    ASSERT_EQ(0, ReadJpegInformation(file.data(), file.size(), &plain));
    EXPECT_FALSE(plain.maker);
    EXPECT_TRUE(Near(ThumbnailPixel(plain.thumbnail, 10, 10), Bgr(0, 0, 255)));
}

TEST(FlashPixInformation, SizeAndThumbnailComeThroughTheToolkit) {
    Picture scene = MakeScene(300, 200);
    Bytes file = WriteFpx(scene, FpxWriteOptions{});
    PictureReading reading;
    ASSERT_EQ(0, ReadFlashPixInformation(file.data(), file.size(), &reading));
    EXPECT_EQ(kFormatFlashPix, reading.format);
    EXPECT_EQ(300u, reading.width);
    EXPECT_EQ(200u, reading.height);
    // The scene sampled at the thumbnail's pixels, bottom-up blue-green-red; and upside down.
    Bytes expected(20736), flipped(20736);
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 96; ++x) {
            const uint8_t* p = &scene.pixels[size_t((y * 200 / 72) * 300 + x * 300 / 96) * 3];
            for (int c = 0; c < 3; ++c) {
                expected[size_t((71 - y) * 96 + x) * 3 + size_t(c)] = p[2 - c];
                flipped[size_t(y * 96 + x) * 3 + size_t(c)] = p[2 - c];
            }
        }
    EXPECT_LT(MeanDifference(reading.thumbnail, expected), 10.0);
    EXPECT_GT(MeanDifference(reading.thumbnail, flipped), 2 * MeanDifference(reading.thumbnail, expected));

    Bytes plain = PlainJpeg();
    EXPECT_EQ(kErrFlashPixRefused, ReadFlashPixInformation(plain.data(), plain.size(), &reading));
}

TEST(PictureInformation, ExposureTimesFollowTheTable) {
    EXPECT_EQ("1", ExposureText(1000000));
    EXPECT_EQ("1.4", ExposureText(1300000));
    EXPECT_EQ("1/1.4", ExposureText(700000));
    EXPECT_EQ("1/180", ExposureText(8000));
    EXPECT_EQ("30", ExposureText(25000000));
    EXPECT_EQ("20", ExposureText(24999999));
    EXPECT_EQ("1/20", ExposureText(41677));
    EXPECT_EQ("1/30", ExposureText(41676));
    EXPECT_EQ("1/2000", ExposureText(1));
    EXPECT_EQ("", ExposureText(0));
    EXPECT_EQ("", ExposureText(-5));
}

TEST(PictureInformation, SizesAreWrittenInThousands) {
    EXPECT_EQ("1234,567", SizeText(1234567));
    EXPECT_EQ("0,999", SizeText(999));
    EXPECT_EQ("1,000", SizeText(1000));
    EXPECT_EQ("4294967,295", SizeText(0xFFFFFFFF));
}

TEST(PictureInformation, CameraPictureFillsEveryField) {
    PictureEntry picture;
    picture.name = "PV000003.FPX";
    PvPictureInfo& info = picture.information;
    info.quality = 2;
    info.resolution = 1;
    info.byteCount = 123456;
    info.fileFormat = 4;
    info.flashUsed = 0;
    info.taken = 2 * (31 * 86400 + 13 * 3600 + 5 * 60);   // 1997-02-01 13:05 local
    info.apertureTenths = 75;
    info.exposureMicroseconds = 16670;
    info.zoom = 2;
    auto texts = PictureInformationTexts(picture);
    EXPECT_EQ((std::array<std::string, 10>{"PV000003.FPX", "Better", "High(1152 x 864)", "123,456", "FlashPix", "No",
                                           "01/02/1997 13:05", "7.5", "1/60", "41"}),
              texts);
    info.quality = 9;
    info.resolution = 0;
    info.fileFormat = 3;
    info.flashUsed = 1;
    info.apertureTenths = 80;
    info.zoom = 5;
    texts = PictureInformationTexts(picture);
    EXPECT_EQ("Unknown", texts[1]);
    EXPECT_EQ("Standard(640 x 480)", texts[2]);
    EXPECT_EQ("JPEG", texts[4]);
    EXPECT_EQ("Yes", texts[5]);
    EXPECT_EQ("8", texts[7]);
    EXPECT_EQ("Macro", texts[9]);
    info.zoom = -1;
    EXPECT_EQ("39", PictureInformationTexts(picture)[9]);
    info.zoom = -2;
    EXPECT_EQ("Unknown", PictureInformationTexts(picture)[9]);
}

TEST(PictureInformation, DiskPictureShowsNameResolutionSizeAndFormat) {
    PictureEntry picture;
    picture.source = PictureEntry::Source::kDisk;
    picture.name = "C:\\My Pictures\\holiday.jpg";
    picture.width = 1152;
    picture.height = 864;
    picture.information.byteCount = 999;
    picture.information.fileFormat = 3;
    picture.information.flashUsed = 1;
    EXPECT_EQ((std::array<std::string, 10>{"holiday.jpg", "Unknown", "1152 x 864", "0,999", "JPEG", "Unknown", "Unknown",
                                           "Unknown", "Unknown", "Unknown"}),
              PictureInformationTexts(picture));
}

class RetrievalTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = FreshFolder("pvretrieve");
        camera = folder + "\\CAMERA.JPG";
        WriteFile(camera, CameraJpeg(Pv360Block(), StripPattern()));
        bad = folder + "\\NOTJPEG.JPG";
        WriteFile(bad, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
        flashPix = folder + "\\SCENE.FPX";
        WriteFile(flashPix, WriteFpx(MakeScene(200, 150), FpxWriteOptions{}));
    }
    int Run() { return RetrieveAll({&sources, &pictures, nullptr, nullptr}); }

    std::string folder, camera, bad, flashPix;
    std::vector<std::string> sources;
    std::vector<PictureEntry> pictures;
};

TEST_F(RetrievalTest, FilesBecomePicturesAndAnUnreadableOneIsSkippedWithItsMessage) {
    sources = {camera, bad, flashPix};
    acquiretest::WindowAnswerer answer("Unreadable File Type", IDOK);
    ASSERT_EQ(0, Run());
    auto seen = answer.Seen();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->Shows("Unable to read the file: " + bad +
                            ".\nThe file may be opened by using File/Open in your host application."));
    EXPECT_EQ((std::vector<std::string>{camera, flashPix}), sources);
    ASSERT_EQ(2u, pictures.size());
    EXPECT_EQ(PictureEntry::Source::kDisk, pictures[0].source);
    EXPECT_EQ(camera, pictures[0].name);
    EXPECT_EQ(160u, pictures[0].width);
    EXPECT_EQ(3, pictures[0].information.fileFormat);
    EXPECT_EQ(ReadFile(camera).size(), pictures[0].information.byteCount);
    EXPECT_EQ(Bgr(40 + 30, 30, 40), ThumbnailPixel(pictures[0].thumbnail, 40, 30));
    EXPECT_EQ(flashPix, pictures[1].name);
    EXPECT_EQ(4, pictures[1].information.fileFormat);
    EXPECT_EQ(200u, pictures[1].width);
    EXPECT_EQ(150u, pictures[1].height);
    EXPECT_EQ(20736u, pictures[1].thumbnail.size());
}

TEST_F(RetrievalTest, AnUnreadableLastFileEndsAsCancelledAfterItsMessage) {
    sources = {camera, bad};
    acquiretest::WindowAnswerer answer("Unreadable File Type", IDOK);
    EXPECT_EQ(kErrUserCancelled, Run());
    EXPECT_TRUE(answer.Seen());
    EXPECT_EQ(1u, pictures.size());
    EXPECT_EQ(std::vector<std::string>{camera}, sources);
}

TEST_F(RetrievalTest, AFileOfAnotherTypeEndsTheRun) {
    std::string bitmap = folder + "\\PICTURE.BMP";
    WriteFile(bitmap, ReadFile(camera));
    sources = {bitmap, camera};
    pictures.resize(3);   // what the list held before is gone
    EXPECT_EQ(kErrUnknownFileType, Run());
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(2u, sources.size());
}

// Presses Cancel in the progress box as soon as it opens.
LRESULT CALLBACK CancelProgress(int code, WPARAM wParam, LPARAM lParam) {
    auto message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG && GetDlgItem(message->hwnd, IDC_PROGRESS_BAR))
        PostMessageA(message->hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(RetrievalTest, CancelInTheProgressBoxEndsTheRun) {
    EXPECT_EQ("Getting Picture  [ 1 / 2 ]", RetrievalProgress::GettingCaption(1, 2));
    sources = {camera, flashPix};
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CancelProgress, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    int code = Run();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(kErrCancelled, code);
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(2u, sources.size());
    // Without Cancel the same run brings both.
    EXPECT_EQ(0, Run());
    EXPECT_EQ(2u, pictures.size());
}

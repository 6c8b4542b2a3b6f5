#include "AcquisitionFixture.h"

#include "ChooserDriving.h"
#include "PvresIds.h"
#include "UniqueHandle.h"
#include "WindowAnswerer.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

using sourcetest::Delivered;
using sourcetest::Mode;
using sourcetest::RgbPicture;

namespace {

constexpr char kDialogCaption[] = "ORVIK Photo Portal (TWAIN Acquire)";
// The generator's sources lie this near, a tenth of the sample range: JPEG loss and its PhotoYCC
// tone curve (measured 9.5 to 18.9 on its cards); and twice as near as any other source.
constexpr double kMeanErrorFromSourceBound = 25.5;

std::string Upper(std::string s) {
    for (char& c : s) c = char(toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

AcquisitionTest::Stored AcquisitionTest::MakeStored(const std::string& name, const std::string& bytes) {
    return {name, bytes, Expected(name, bytes)};
}

void AcquisitionTest::SetUp() {
    CameraSourceTest::SetUp();
    ASSERT_TRUE(session->Open());
    ASSERT_FALSE(DataFolder("PV_ACQUIRED_DIR").empty()) << "PV_ACQUIRED_DIR is not set";
}

HWND AcquisitionTest::EnableWithDialog() {
    TW_USERINTERFACE ui{TRUE, FALSE, session->app.window()};
    if (Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) return nullptr;
    return acquiretest::FindProcessWindow(kDialogCaption);
}

bool AcquisitionTest::IsFlashPix(const std::string& name) { return Upper(name).find(".FPX") != std::string::npos; }

RgbPicture AcquisitionTest::Expected(const std::string& name, const std::string& bytes) {
    return IsFlashPix(name) ? sourcetest::DecodeFlashPix(bytes) : sourcetest::DecodeJpeg(bytes);
}

void AcquisitionTest::ExpectPicture(const sourcetest::Delivered& delivered, const RgbPicture& expected,
                                    const std::string& what) {
    ASSERT_EQ(TWRC_XFERDONE, delivered.result) << what << ": condition " << delivered.condition;
    EXPECT_EQ(expected.width, delivered.picture.width) << what;
    EXPECT_EQ(expected.height, delivered.picture.height) << what;
    EXPECT_TRUE(expected.pixels == delivered.picture.pixels) << what << ": the pixels differ from the decode";
}

namespace {

double MeanError(const Picture& source, const RgbPicture& picture) {
    if (source.width != picture.width || source.height != picture.height || source.pixels.size() != picture.pixels.size())
        return 255;
    long long sum = 0;
    for (size_t i = 0; i < source.pixels.size(); ++i) sum += std::abs(int(source.pixels[i]) - int(picture.pixels[i]));
    return double(sum) / double(source.pixels.size());
}

}  // namespace

::testing::AssertionResult AcquisitionTest::NearItsSource(const std::string& name, const RgbPicture& picture) {
    const std::string folder = DataFolder("PV_CARD_SOURCES");
    Picture own;
    if (!ReadPnm(folder + Stem(name) + ".ppm", &own)) return ::testing::AssertionFailure() << "no source of " << name;
    const double error = MeanError(own, picture);
    double nearestOther = 255;
    WIN32_FIND_DATAA found;
    pv::UniqueFind search(FindFirstFileA((folder + "*.ppm").c_str(), &found));
    for (bool more = search.valid(); more; more = FindNextFileA(search.get(), &found)) {
        Picture other;
        if (Stem(found.cFileName) != Stem(name) && ReadPnm(folder + found.cFileName, &other))
            nearestOther = std::min(nearestOther, MeanError(other, picture));
    }
    if (error < kMeanErrorFromSourceBound && 2 * error < nearestOther) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << ": mean error " << error << " from its source, " << nearestOther
                                         << " from the nearest other";
}

std::string AcquisitionTest::BmpPath(const std::string& flow, const std::string& name) {
    return DataFolder("PV_ACQUIRED_DIR") + flow + "." + name + ".bmp";
}

void AcquisitionTest::NoteBmp(const std::string& flow, const std::string& name, const std::string& stored,
                              const RgbPicture& picture) {
    const std::string folder = DataFolder("PV_ACQUIRED_DIR");
    std::ofstream(folder + name, std::ios::binary) << stored;
    std::ofstream manifest(folder + "manifest.txt", std::ios::app | std::ios::binary);
    manifest << flow << "." << name << ".bmp " << name << " " << picture.width << " " << picture.height << "\n";
}

void AcquisitionTest::Acquire(const Stored& stored, Mode mode, const std::string& flow, int stillPending) {
    const std::string what = flow + " " + stored.name + " by " + sourcetest::ModeName(mode);
    TW_IMAGEINFO info{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info)) << what;
    EXPECT_EQ(stored.expected.width, info.ImageWidth) << what;
    EXPECT_EQ(stored.expected.height, info.ImageLength) << what;
    const Delivered d = TransferPending(*session, mode, BmpPath(flow, stored.name));
    ExpectPicture(d, stored.expected, what);
    RgbPicture& native = native_[flow + "." + stored.name];
    if (mode == Mode::kNative) native = d.picture;
    if (mode == Mode::kMemory) {
        EXPECT_TRUE(native == d.picture) << what << ": the strips differ from the native picture";
    }
    if (mode == Mode::kFile) NoteBmp(flow, stored.name, stored.bytes, d.picture);
    // The card generator's FlashPix pictures, against what they were painted from.
    if (IsFlashPix(stored.name) && stored.name.rfind("PV", 0) == 0) {
        EXPECT_TRUE(NearItsSource(stored.name, d.picture)) << what;
    }
    EXPECT_EQ(stillPending, sourcetest::EndTransfer(*session)) << what;
}

void AcquisitionTest::ExpectFailure(const Stored& stored, Mode mode) {
    // A file whose header is damaged is reported ("Unexpected Error!"), one whose data is cut short not.
    acquiretest::EveryWindowAnswerer message("Error", IDOK);
    const Delivered d = TransferPending(*session, mode, BmpPath("failed", stored.name));
    for (const acquiretest::SeenWindow& seen : message.Seen())
        std::printf("%s by %s: the message box shows \"%s\"\n", stored.name.c_str(), sourcetest::ModeName(mode),
                    seen.texts.empty() ? "" : seen.texts.back().c_str());
    EXPECT_EQ(TWRC_FAILURE, d.result) << stored.name;
    EXPECT_EQ(mode == Mode::kFile ? TWCC_OPERATIONERROR : TWCC_SEQERROR, d.condition) << stored.name;
    EXPECT_EQ(0, sourcetest::EndTransfer(*session)) << stored.name;
}

size_t AcquisitionTest::TransferThroughDialog(HWND dialog, const std::vector<Stored>& pictures, const std::string& flow) {
    std::vector<size_t> decodable, damaged;
    for (size_t i = 0; i < pictures.size(); ++i) (pictures[i].expected.pixels.empty() ? damaged : decodable).push_back(i);
    EXPECT_FALSE(decodable.empty());
    for (Mode mode : sourcetest::kModes) {
        acquiretest::SelectThumbnails(dialog, decodable);
        EXPECT_EQ(" Number selected: " + std::to_string(decodable.size()), acquiretest::DialogText(dialog, IDC_SELECTED_FIELD));
        acquiretest::Press(dialog, IDC_TRANSFER_BUTTON);
        EXPECT_EQ(std::vector<TW_UINT16>{MSG_XFERREADY}, Messages(session->app.TakeNotifications()));
        EXPECT_FALSE(IsWindowEnabled(dialog));
        for (size_t k = 0; k < decodable.size(); ++k)
            Acquire(pictures[decodable[k]], mode, flow, int(decodable.size() - k - 1));
        // The dialog is back for the next Transfer; the source stays enabled.
        EXPECT_TRUE(IsWindowEnabled(dialog)) << sourcetest::ModeName(mode);
        EXPECT_EQ(2, session->Probe());
        EXPECT_TRUE(session->app.TakeNotifications().empty());
    }
    for (size_t i : damaged) {
        acquiretest::SelectThumbnails(dialog, {i});
        acquiretest::Press(dialog, IDC_TRANSFER_BUTTON);
        EXPECT_EQ(std::vector<TW_UINT16>{MSG_XFERREADY}, Messages(session->app.TakeNotifications()));
        ExpectFailure(pictures[i], Mode::kNative);
        EXPECT_TRUE(IsWindowEnabled(dialog)) << pictures[i].name;
    }
    return damaged.size();
}

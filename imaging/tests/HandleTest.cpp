// The flat calls' checks of their handle and arguments, and stopping from the progress callback.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

#include "NIFStorage.h"

namespace {

class Handles : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        bytes_ = WriteFpx(MakeScene(200, 150), {});
        handle_ = Open(bytes_);
        ASSERT_NE(nullptr, handle_);
        dest_ = NIFDestinationForBitmap(bits_.data(), 150, 600);
    }

    std::vector<uint8_t> bytes_;
    NIFHandle* handle_ = nullptr;
    std::vector<uint8_t> bits_ = std::vector<uint8_t>(600 * 150);
    NIFDestination dest_{};
};

short StopAtOnce(long, long) { return 1; }

}  // namespace

TEST_F(Handles, WrongSignatureIsRefused) {
    NIFHandle* forged = reinterpret_cast<NIFHandle*>(bits_.data());
    EXPECT_EQ(NIF_BAD_SIGNATURE, NIFReadRegion(forged, 0, 0, 10, 10, 0, &dest_, nullptr));
    EXPECT_EQ("Wrong handle signature in NIFReadRegion.", LastMessage());
    EXPECT_EQ(NIF_BAD_SIGNATURE, NIFCloseImage(forged));
}

TEST_F(Handles, CallsAfterCloseAreRefused) {
    ASSERT_EQ(0, NIFCloseImage(handle_));
    EXPECT_EQ(NIF_WRONG_STATE, NIFReadRegion(handle_, 0, 0, 10, 10, 0, &dest_, nullptr));
    EXPECT_EQ("Image already closed in NIFReadRegion.", LastMessage());
    EXPECT_EQ(NIF_WRONG_STATE, NIFCloseImage(handle_));
}

TEST_F(Handles, MissingOutputsAreRefused) {
    NIFHandle* h = nullptr;
    long w = 0, k = 0;
    EXPECT_EQ(NIF_MISSING_ARGUMENT, NIFOpenImageFromMemory(bytes_.data(), bytes_.size(), &h, &w, nullptr, &k));
    EXPECT_EQ("Missing output argument in NIFOpenImageFromMemory.", LastMessage());
    EXPECT_EQ(NIF_MISSING_ARGUMENT, NIFReadRegion(handle_, 0, 0, 10, 10, 0, nullptr, nullptr));
    EXPECT_EQ("Missing output argument in NIFReadRegion.", LastMessage());
    NIFDestination partial = dest_;
    partial.channel[1].start = nullptr;
    EXPECT_EQ(NIF_MISSING_ARGUMENT, NIFReadRegion(handle_, 0, 0, 10, 10, 0, &partial, nullptr));
    EXPECT_EQ(NIF_MISSING_ARGUMENT, NIFGetImageInformation(handle_, nullptr));
}

TEST_F(Handles, CallsBeforeStartAreRefused) {
    ASSERT_EQ(0, NIFStopToolkit());
    EXPECT_EQ(NIF_NOT_STARTED, NIFReadRegion(handle_, 0, 0, 10, 10, 0, &dest_, nullptr));
    EXPECT_EQ("Toolkit not started in NIFReadRegion.", LastMessage());
    NIFHandle* h = nullptr;
    long w, ht, k;
    EXPECT_EQ(NIF_NOT_STARTED, NIFOpenImageFromMemory(bytes_.data(), bytes_.size(), &h, &w, &ht, &k));
    EXPECT_EQ(NIF_NOT_STARTED, NIFStopToolkit());
    ASSERT_EQ(0, NIFStartToolkit());
}

TEST_F(Handles, NoImageIsRefused) {
    EXPECT_EQ(NIF_NO_IMAGE, NIFReadRegion(nullptr, 0, 0, 10, 10, 0, &dest_, nullptr));
    EXPECT_EQ("No image in NIFReadRegion.", LastMessage());
    NIFImageInformation info{};
    EXPECT_EQ(NIF_NO_IMAGE, NIFGetImageInformation(nullptr, &info));
}

TEST_F(Handles, LevelOutOfRangeIsRefused) {
    NIFImageInformation info{};
    ASSERT_EQ(0, NIFGetImageInformation(handle_, &info));
    ASSERT_EQ(3, info.levels);   // 200 x 150, 100 x 75, 50 x 38
    EXPECT_EQ(NIF_LEVEL_OUT_OF_RANGE, NIFReadRegion(handle_, 0, 0, 10, 10, 3, &dest_, nullptr));
    EXPECT_EQ("Resolution level out of range in NIFReadRegion.", LastMessage());
    EXPECT_EQ(NIF_LEVEL_OUT_OF_RANGE, NIFReadRegion(handle_, 0, 0, 10, 10, -1, &dest_, nullptr));
}

TEST_F(Handles, UnconvertibleColorSpaceIsRefused) {
    uint8_t grey[200 * 150];
    NIFDestination mono{NIF_SPACE_MONOCHROME, 1, {{grey, 1, 200}}};
    EXPECT_EQ(NIF_COLOR_MISMATCH, NIFReadRegion(handle_, 0, 0, 200, 150, 2, &mono, nullptr));
    EXPECT_EQ("Stored color space cannot be converted in NIFImage::readRegion.", LastMessage());
}

TEST_F(Handles, StopFromTheCallbackGives33AndTheHandleStillCloses) {
    EXPECT_EQ(NIF_STOPPED, NIFReadRegion(handle_, 0, 0, 200, 150, 2, &dest_, StopAtOnce));
    EXPECT_EQ("Decode stopped by the progress callback in NIFImage::readRegion.", LastMessage());
    EXPECT_EQ(0, NIFCloseImage(handle_));
}

TEST_F(Handles, ForeignBytesAndForeignClassesFailToOpen) {
    NIFHandle* h = nullptr;
    long w, ht, k;
    std::vector<uint8_t> junk(2048, 0x11);
    EXPECT_EQ(NIF_STORAGE_FAILED, NIFOpenImageFromMemory(junk.data(), junk.size(), &h, &w, &ht, &k));
    NIFStorage* other = nullptr;
    ASSERT_EQ(0, NIFStorage::CreateOnMemory(&other));
    other->SetClassId(CLSID{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}});
    other->Commit();
    std::vector<uint8_t> foreign;
    other->GetBytes(&foreign);
    other->Release();
    EXPECT_EQ(NIF_BAD_FILE, NIFOpenImageFromMemory(foreign.data(), foreign.size(), &h, &w, &ht, &k));
    EXPECT_EQ("Not a FlashPix image or view in NIFOpenImageFromMemory.", LastMessage());
    EXPECT_EQ(nullptr, h);
}

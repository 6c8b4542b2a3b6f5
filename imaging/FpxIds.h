// Class and format identifiers, stream names and property identifiers of FlashPix files.
#pragma once

#include <objbase.h>

#include <cstdint>

namespace nif {

constexpr GUID FpxGuid(uint32_t first) {
    return {first, 0xC154, 0x11CE, {0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B}};
}

constexpr GUID kImageClass = FpxGuid(0x56616000);
constexpr GUID kResolutionClass = FpxGuid(0x56616100);
constexpr GUID kImageContentsFormat = FpxGuid(0x56616400);
constexpr GUID kImageInfoFormat = FpxGuid(0x56616500);
constexpr GUID kViewClass = FpxGuid(0x56616700);
constexpr GUID kSecondViewClass = FpxGuid(0x56616800);
constexpr GUID kGlobalInfoFormat = FpxGuid(0x56616F00);
constexpr GUID kSummaryFormat = {0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}};

// Image contents.
constexpr uint32_t kPidResolutionCount = 0x01000000;
constexpr uint32_t kPidFullWidth = 0x01000002;
constexpr uint32_t kPidFullHeight = 0x01000003;
constexpr uint32_t kPidJpegTablesBase = 0x03000001;   // | table index << 16
constexpr uint32_t kPidMaxJpegTable = 0x03000002;
// Per resolution: base | level << 16.
constexpr uint32_t kPidSubimageWidth = 0x02000000;
constexpr uint32_t kPidSubimageHeight = 0x02000001;
constexpr uint32_t kPidSubimageColor = 0x02000002;
constexpr uint32_t kPidSubimageFormat = 0x02000003;
constexpr uint32_t kPidDecimation = 0x02000004;

// Image info (camera and exposure).
constexpr uint32_t kPidCameraMake = 0x24000000;
constexpr uint32_t kPidCameraModel = 0x24000001;
constexpr uint32_t kPidCaptureTime = 0x25000000;
constexpr uint32_t kPidExposureTime = 0x25000001;
constexpr uint32_t kPidFNumber = 0x25000002;
constexpr uint32_t kPidFlash = 0x2500000B;

// Global info of a view.
constexpr uint32_t kPidVisibleOutputs = 0x00010100;
constexpr uint32_t kPidMaxImageIndex = 0x00010101;
constexpr uint32_t kPidMaxTransformIndex = 0x00010102;
constexpr uint32_t kPidMaxOperationIndex = 0x00010103;

// Colour-space codes of the sub-image colour blob: bit 31 uncalibrated, bits 16-30 the space,
// bit 15 set on the colour channels of a picture with opacity (their values are premultiplied by
// it), bits 0-14 the channel.
constexpr uint32_t kSpaceMonochrome = 1;
constexpr uint32_t kSpacePhotoYcc = 2;
constexpr uint32_t kSpaceRgb = 3;
constexpr uint32_t kOpacityChannel = 0x7FFE;
constexpr uint32_t kChannelTypeMask = 0x7FFF;
constexpr uint32_t kPremultipliedFlag = 0x8000;

constexpr int kTileSide = 64;

}  // namespace nif

#include "ImageDescription.h"

namespace source {
namespace {

// Rotations 0 and 2 keep the picture's width and height; any other, or a failed call, swaps them.
bool TurnedAQuarter(const PictureInfo& picture) {
    uint16_t rotation = 0;
    if (UIODCGetRotateType(picture.number, &rotation) != kAcquireOk) return true;
    return rotation != 0 && rotation != 2;
}

void SetPixelLayout(uint16_t imageType, TW_IMAGEINFO* info) {
    if (imageType == TWPT_GRAY) {
        info->PixelType = TWPT_GRAY;
        info->SamplesPerPixel = 1;
        info->BitsPerSample[0] = 8;
        info->BitsPerPixel = 8;
    } else if (imageType == TWPT_RGB || imageType == TWPT_PALETTE) {
        info->PixelType = TWPT_RGB;
        info->SamplesPerPixel = 3;
        info->BitsPerSample[0] = info->BitsPerSample[1] = info->BitsPerSample[2] = 8;
        info->BitsPerPixel = 24;
    } else {
        info->PixelType = TW_INT16(imageType);
        info->SamplesPerPixel = 1;
        info->BitsPerSample[0] = info->BitsPerSample[1] = 3;
        info->BitsPerSample[2] = 2;
        info->BitsPerPixel = 8;
    }
}

}  // namespace

TW_IMAGEINFO DescribePicture(const PictureInfo* picture) {
    TW_IMAGEINFO info{};
    info.XResolution = info.YResolution = {120, 0};
    info.ImageWidth = kDefaultWidth;
    info.ImageLength = kDefaultLength;
    if (picture) {
        const bool turned = TurnedAQuarter(*picture);
        info.ImageWidth = TW_INT32(turned ? picture->height : picture->width);
        info.ImageLength = TW_INT32(turned ? picture->width : picture->height);
    }
    info.Planar = FALSE;
    info.Compression = TWCP_NONE;
    uint16_t imageType = 0;
    if (UIODCGetImageType(&imageType) != kAcquireOk) imageType = 0;
    SetPixelLayout(imageType, &info);
    return info;
}

}  // namespace source

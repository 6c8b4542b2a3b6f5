// The toolkit's flat calls: start, open a FlashPix picture held in memory, read its
// information, decode regions of it, close it, stop.
#pragma once

#include "NIFColorConv.h"
#include "NIFSummaryInformation.h"

extern "C" {

// Kinds of opened storage: a FlashPix image, or a view of one of the two FlashPix view classes.
enum { NIF_KIND_IMAGE = 9000, NIF_KIND_VIEW = 9001, NIF_KIND_SECOND_VIEW = 9002 };

// Colour spaces a destination can ask for.
enum { NIF_SPACE_MONOCHROME = 1, NIF_SPACE_PHOTOYCC = 2, NIF_SPACE_RGB = 3 };

struct NIFHandle;

// Where decoded pixels go: the colour space and channel count (1 or 3, plus 1 for opacity),
// and each channel's start pointer and strides (see NIFDestinationForBitmap).
struct NIFDestination {
    int colorSpace;
    int channels;
    NIFChannel channel[4];
};

struct NIFImageInformation {
    int32_t width;
    int32_t height;
    int32_t levels;       // level levels - 1 is the full size
    int32_t colorSpace;   // NIF_SPACE_*
    int32_t channels;     // including opacity
    int32_t hasOpacity;
};

struct NIFCameraInformation {
    char make[64];
    char model[64];
    uint64_t captureTime;   // FILETIME
    float exposureTime;     // seconds, 0 when not stored
    float fNumber;          // 0 when not stored
    int32_t flash;          // -1 when not stored
};

struct NIFCacheStatistics {
    uint32_t hits;
    uint32_t misses;
    uint32_t bytes;
};

// Called after each row of tiles; a non-zero answer stops the decode.
typedef short (*NIFProgressFunc)(long total, long done);

NIF_API int NIFStartToolkit(void);
NIF_API int NIFOpenImageFromMemory(const void* data, unsigned long size, NIFHandle** handle, long* width,
                                   long* height, long* kind);
NIF_API int NIFGetSummaryInformation(NIFHandle* handle, NIFSummaryInformation* out);
NIF_API int NIFGetImageInformation(NIFHandle* handle, NIFImageInformation* out);
NIF_API int NIFGetCameraInformation(NIFHandle* handle, NIFCameraInformation* out);
// The rectangle is in pixels of the full-size picture, right and bottom excluded.
NIF_API int NIFReadRegion(NIFHandle* handle, long left, long top, long right, long bottom, int level,
                          const NIFDestination* destination, NIFProgressFunc progress);
NIF_API int NIFGetCacheStatistics(NIFHandle* handle, NIFCacheStatistics* out);
NIF_API int NIFCloseImage(NIFHandle* handle);
NIF_API int NIFStopToolkit(void);

// A destination that writes RGB into a bottom-up 24-bit bitmap (pixels blue, green, red) of the
// given height, whose rows are stride bytes apart.
NIF_API NIFDestination NIFDestinationForBitmap(uint8_t* bits, long height, long stride);

}

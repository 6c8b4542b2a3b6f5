// The summary information of a FlashPix file, as a plain record.
#pragma once

#include "NIFArrays.h"

extern "C" {

struct NIFSummaryInformation {
    char title[256];
    char subject[256];
    char author[256];
    char keywords[256];
    char comments[256];
    char appName[256];
    uint64_t createTime;     // FILETIME, 0 when not stored
    uint64_t lastSaveTime;
    // The thumbnail as a packed device-independent bitmap, freed with NIFRelease; null when
    // the file has none.
    uint8_t* thumbnail;
    uint32_t thumbnailSize;
};

}

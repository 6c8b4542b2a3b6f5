// FlashPix pictures as the camera writes them: a FlashPix image object at the root of an OLE
// compound file with
//   "\005SummaryInformation"  title, creation time, application, 96 x 72 thumbnail (CF_DIB)
//   "\001CompObj"             "FlashPix Object"
//   "\005Image Contents"      sizes, PhotoYCC colour, numerical format, decimation, JPEG tables
//   "\005Image Info"          camera, capture time, exposure, flash and the camera's quality note
//   "Resolution 0000" ...     one storage per level, smallest first, down to 64 pixels or less,
//                             each with "Subimage 0000 Header" and "Subimage 0000 Data": 64 x 64
//                             PhotoYCC tiles, JPEG-compressed with the shared tables (index 1).
#pragma once

#include "MakerBlock.h"
#include "Raster.h"

#include <optional>
#include <string>

namespace pvsim {

Bytes writeFlashPix(const Raster& picture, const PictureMeta& meta, const std::string& title);

struct FlashPixSummary {
    PictureMeta meta;
    Raster thumbnail;   // from the summary information
    int width = 0;
    int height = 0;
};

std::optional<FlashPixSummary> readFlashPix(const Bytes& file);

// Levels of a picture, full size first: each halves the previous one, rounding up.
std::vector<std::pair<int, int>> flashPixLevels(int width, int height);

// FILETIME ticks of a camera clock value (the clock's local time taken as it stands).
uint64_t filetimeOfClock(uint32_t clock);
uint32_t clockOfFiletime(uint64_t ticks);

}  // namespace pvsim

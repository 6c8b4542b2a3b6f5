// Error codes of fetching and decoding pictures (the acquire module's number space).
#pragma once

namespace acquire {

constexpr int kErrFlashPixRefused = -1030;      // not a FlashPix image the toolkit opens
constexpr int kErrFlashPixDecode = -1031;       // the toolkit failed while decoding
constexpr int kErrFlashPixLayout = -1032;       // not three colour channels
constexpr int kErrJpegData = -1040;             // not JPEG data, damaged, or a broken camera block
constexpr int kErrUnknownFileType = -1109;

// File formats of a picture.
constexpr int kFormatJpeg = 3;
constexpr int kFormatFlashPix = 4;

}  // namespace acquire

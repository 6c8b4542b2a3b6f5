// Error codes of reading pictures into the acquire dialog, beside the module's own (ErrorDisplay.h).
#pragma once

namespace acquire {

constexpr int kErrChooserFailed = -1006;     // a picture chooser could not be opened
constexpr int kErrFlashPixRefused = -1030;   // not a FlashPix picture the toolkit accepts
constexpr int kErrFlashPixFailed = -1031;
constexpr int kErrFlashPixColour = -1032;    // not three channels of RGB
constexpr int kErrJpegRefused = -1040;       // not a JPEG picture, or a broken camera block
constexpr int kErrJpegHeader = -1041;
constexpr int kErrUnreadableFile = -1108;    // shown with the file's name, then skipped
constexpr int kErrUnknownFileType = -1109;

}  // namespace acquire

// Error codes of reading pictures into the acquire dialog, beside the module's own (ErrorDisplay.h).
#pragma once

#include "DecodeCodes.h"

namespace acquire {

constexpr int kErrChooserFailed = -1006;     // a picture chooser could not be opened
constexpr int kErrJpegHeader = -1041;        // a JPEG header that cannot be read
constexpr int kErrUnreadableFile = -1108;    // shown with the file's name, then skipped

}  // namespace acquire

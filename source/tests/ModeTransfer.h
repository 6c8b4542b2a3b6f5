// The pending picture taken by one of the three transfer modes, as an application takes it, and
// what came: the picture top-down in red-green-blue, or the failure.
#pragma once

#include "SourceSession.h"
#include "TransferPictures.h"

#include <string>

namespace sourcetest {

enum class Mode { kNative, kMemory, kFile };
constexpr Mode kModes[] = {Mode::kNative, Mode::kMemory, Mode::kFile};
const char* ModeName(Mode mode);

struct Delivered {
    TW_UINT16 result = TWRC_FAILURE;   // TWRC_XFERDONE when the picture came
    TW_UINT16 condition = TWCC_SUCCESS;
    RgbPicture picture;
};

// In the transfer-ready state; a file transfer writes the BMP file at bmpPath.
Delivered TransferPending(SourceSession& session, Mode mode, const std::string& bmpPath);
// MSG_ENDXFER: the count of transfers still pending (-1 when the source refused).
int EndTransfer(SourceSession& session);

}  // namespace sourcetest

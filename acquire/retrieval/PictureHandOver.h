// One picture handed to the application: its stored file fetched (from disk or the camera), then
// decoded into a new picture bitmap of the entry's size and rotation.
#pragma once

#include "CameraConnection.h"
#include "PictureEntry.h"
#include "TransferProgress.h"

#include <windows.h>

namespace acquire {

struct HandOverRequest {
    const PictureEntry* entry;
    CameraConnection* camera;     // for camera pictures
    bool noDialog;                // no questions asked while the status is checked
    HWND owner;
    TransferProgress* progress;   // may be null
};

// 0 with *bitmap set to a block that the caller owns; otherwise an error code and no block:
// kErrUnexpected without an entry, kErrUnknownFileType for a file that is neither JPEG nor
// FlashPix, and the codes of fetching and decoding.
int HandOverPicture(const HandOverRequest& request, HGLOBAL* bitmap);

}  // namespace acquire

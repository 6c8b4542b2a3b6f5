// The stored file of a picture, held once in memory for its decoding: read whole from disk, or
// downloaded from the camera through the camera library.
#pragma once

#include "CameraConnection.h"
#include "TransferProgress.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace acquire {

// 0, or kErrNoMemory when the file cannot be opened, read whole or held.
int ReadPictureFile(const std::string& path, std::vector<uint8_t>* data);

// The camera's status read and checked, the picture's size asked, then the picture downloaded
// with its progress shown (half the percentage). 0, kErrNoMemory, or the camera library's or the
// status check's code (kErrCancelled when the user cancelled the download).
struct CameraDownload {
    CameraConnection* camera;
    int32_t number;   // 1-based
    bool noDialog;
    HWND owner;
    TransferProgress* progress;   // may be null
};
int DownloadCameraPicture(const CameraDownload& request, std::vector<uint8_t>* data);

}  // namespace acquire

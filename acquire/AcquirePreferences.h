// The preferences of PVACQUIRE.INI (section "Preferences" in the Windows directory): the camera's,
// read when the library starts and written back when it is unloaded, and the picture choosers',
// read when a chooser opens and written when it closes.
#pragma once

#include <cstdint>
#include <string>

namespace acquire {

struct CameraPreferences {
    int32_t cameraType = 105;
    int32_t comPort = 0;     // 0: search, n: COMn
    int32_t baudRate = 0;    // speed index: 0 search, 1 to 5: 9600 to 115200
};

CameraPreferences ReadCameraPreferences();
void WriteCameraPreferences(const CameraPreferences& preferences);

struct DiskChooserSettings {
    std::string previousPath;   // the folder shown last; the Windows directory, or "C:\\", at first
    bool showFileExt = true;
};
DiskChooserSettings ReadDiskChooserSettings();
void WriteDiskChooserSettings(const std::string& previousPath, bool showThumbnail, bool showFileExt);
void WriteCameraChooserSettings(int32_t memory, bool showThumbnail);

}  // namespace acquire

// The camera preferences of PVACQUIRE.INI (section "Preferences" in the Windows directory): read
// when the library starts and written back when it is unloaded.
#pragma once

#include <cstdint>

namespace acquire {

struct CameraPreferences {
    int32_t cameraType = 105;
    int32_t comPort = 0;     // 0: search, n: COMn
    int32_t baudRate = 0;    // speed index: 0 search, 1 to 5: 9600 to 115200
};

CameraPreferences ReadCameraPreferences();
void WriteCameraPreferences(const CameraPreferences& preferences);

}  // namespace acquire

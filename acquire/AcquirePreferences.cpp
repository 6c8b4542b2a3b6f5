#include "AcquirePreferences.h"

#include <windows.h>

#include <string>

namespace acquire {
namespace {

constexpr char kFile[] = "PVACQUIRE.INI";
constexpr char kSection[] = "Preferences";

UINT ReadNumber(const char* key, int fallback) { return GetPrivateProfileIntA(kSection, key, fallback, kFile); }

void WriteNumber(const char* key, int32_t value) {
    WritePrivateProfileStringA(kSection, key, std::to_string(value).c_str(), kFile);
}

}  // namespace

CameraPreferences ReadCameraPreferences() {
    CameraPreferences p;
    UINT type = ReadNumber("CameraType", 105);
    p.cameraType = type & 0x8000 ? 105 : int32_t(type);
    UINT port = ReadNumber("ComPort", 0);
    p.comPort = port & 0x8000 ? 0 : int32_t(port);
    UINT baud = ReadNumber("BaudRate", 0);
    p.baudRate = baud <= 6 ? int32_t(baud) : 0;
    return p;
}

void WriteCameraPreferences(const CameraPreferences& p) {
    WriteNumber("CameraType", p.cameraType);
    WriteNumber("ComPort", p.comPort);
    WriteNumber("BaudRate", p.baudRate);
}

}  // namespace acquire

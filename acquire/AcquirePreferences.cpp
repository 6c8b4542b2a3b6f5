#include "AcquirePreferences.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace acquire {
namespace {

constexpr char kFile[] = "PVACQUIRE.INI";
constexpr char kSection[] = "Preferences";

UINT ReadNumber(const char* key, int fallback) { return GetPrivateProfileIntA(kSection, key, fallback, kFile); }

void WriteNumber(const char* key, int32_t value) {
    WritePrivateProfileStringA(kSection, key, std::to_string(value).c_str(), kFile);
}

void WriteText(const char* key, const std::string& value) { WritePrivateProfileStringA(kSection, key, value.c_str(), kFile); }

std::string ReadText(const char* key, const std::string& fallback) {
    char text[MAX_PATH] = {};
    GetPrivateProfileStringA(kSection, key, fallback.c_str(), text, sizeof text, kFile);
    return text;
}

std::string WindowsDirectory() {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? folder : "C:\\";
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

DiskChooserSettings ReadDiskChooserSettings() {
    DiskChooserSettings settings;
    settings.previousPath = ReadText("PreviousPath", WindowsDirectory());
    settings.showFileExt = atoi(ReadText("ShowFileExt", "1").c_str()) == 1;
    return settings;
}

void WriteDiskChooserSettings(const std::string& previousPath, bool showThumbnail, bool showFileExt) {
    WriteText("PreviousPath", previousPath);
    WriteText("DiskShowThumbnail", showThumbnail ? "1" : "0");
    WriteText("ShowFileExt", showFileExt ? "1" : "0");
}

void WriteCameraChooserSettings(int32_t memory, bool showThumbnail) {
    WriteText("PreMemType", std::to_string(memory));
    WriteText("CameraShowThumbnail", showThumbnail ? "1" : "0");
}

}  // namespace acquire

#include "AcquirePreferences.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <string>

namespace acquire {
namespace {

constexpr char kFile[] = "PVACQUIRE.INI";
constexpr char kSection[] = "Preferences";
constexpr int32_t kLastPort = 9;         // COM9
constexpr int32_t kLastSpeedIndex = 5;   // 115200

void WriteNumber(const char* key, int32_t value) {
    WritePrivateProfileStringA(kSection, key, std::to_string(value).c_str(), kFile);
}

void WriteText(const char* key, const std::string& value) { WritePrivateProfileStringA(kSection, key, value.c_str(), kFile); }

std::string ReadText(const char* key, const std::string& fallback) {
    char text[MAX_PATH] = {};
    GetPrivateProfileStringA(kSection, key, fallback.c_str(), text, sizeof text, kFile);
    return text;
}

// An integer key: blanks, an optional sign and decimal digits (what follows is ignored). Unlike
// the system's own reading, a value that is not a number or does not fit in 32 bits is the
// fallback, not whatever its digits wrap around to.
int32_t ReadNumber(const char* key, int32_t fallback) {
    const std::string text = ReadText(key, "");
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || value < INT32_MIN || value > INT32_MAX) return fallback;
    return int32_t(value);
}

std::string WindowsDirectory() {
    char folder[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? folder : "C:\\";
}

}  // namespace

CameraPreferences ReadCameraPreferences() {
    CameraPreferences p;
    const int32_t type = ReadNumber("CameraType", 105);
    p.cameraType = type & 0x8000 ? 105 : type;
    // A port or speed the camera library cannot use is automatic search, as the Preferences
    // dialog shows it.
    const int32_t port = ReadNumber("ComPort", 0);
    p.comPort = port >= 0 && port <= kLastPort ? port : 0;
    const int32_t baud = ReadNumber("BaudRate", 0);
    p.baudRate = baud >= 0 && baud <= kLastSpeedIndex ? baud : 0;
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

// The capture page's choices and the camera clock: exposure compensation and zoom entries with the
// values the camera takes, and the clock's count of half-seconds since 1997-01-01 00:00 local time.
#pragma once

#include <windows.h>

#include <string>

struct CaptureChoice {
    UINT text;    // string id
    DWORD value;  // sent to the camera
};

constexpr CaptureChoice kExposureChoices[] = {{8120, 4}, {8121, 3}, {8122, 2}, {8123, 1}, {8124, 0},
                                              {8125, 129}, {8126, 130}, {8127, 131}, {8128, 132}};
constexpr CaptureChoice kZoomChoices[] = {{8130, 0}, {8131, 1}, {8132, 2}, {8133, 3}, {8134, 4}};
constexpr CaptureChoice kCloseUpChoice = {8135, 5};

// The list position of a camera exposure value; the first entry when none matches.
int ExposurePosition(DWORD value);

// The camera clock count for a local time: its half-seconds since 1997-01-01 00:00:00, low 32 bits.
DWORD CameraClockCount(const SYSTEMTIME& local);
// A text of the string table with its first "%s" or "%d" replaced by value.
std::string FillIn(std::string format, const std::string& value);
// A camera time as the user's short date and time without seconds, joined by "%s %s".
std::string CameraTimeText(DWORD count);

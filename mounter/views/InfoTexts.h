// The texts of the information pages: a picture quality or resolution value in words, and the
// local date and time of an item.
#pragma once

#include <windows.h>

#include <string>

// 1 "Best", 2 "Better", 3 "Good", other "N/A".
std::string QualityText(DWORD quality);
// 0 "Standard (640x480)", 1 "High (1152x864)", other "N/A".
std::string ResolutionText(DWORD resolution);
// The user's short date, and the time without seconds, of a local file time.
std::string ShortDateText(const FILETIME& local);
std::string ShortTimeText(const FILETIME& local);

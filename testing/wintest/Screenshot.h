// Screenshots of windows for a person to look at: PNG files in the build tree's "screenshots" folder.
#pragma once

#include <windows.h>

#include <string>

namespace dialogtest {

// Paints the window and copies what the screen shows of it into screenshots\<name>.png beside the
// program's bin folder; answers the file's path, or "" when it could not be written.
std::string SaveScreenshot(HWND window, const std::string& name);
// The same into a PNG file of the caller's choice.
std::string SaveScreenshotTo(HWND window, const std::string& path);

}  // namespace dialogtest

// The "Preferences" dialog (152): the serial port among the usable ones and the speed. OK keeps
// the choice for the next connection, Reset shows the defaults (both searched), Cancel keeps
// everything.
#pragma once

#include "AcquirePreferences.h"
#include "PortSearch.h"

#include <windows.h>

namespace acquire {

// True when the user pressed OK; preferences then hold the choice.
bool EditPreferences(CameraPreferences* preferences, const PortAvailability& ports, HWND owner);

}  // namespace acquire

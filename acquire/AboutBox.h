// The About box of the acquire dialog's system menu: the about picture as one big button that
// closes the box, and the version.
#pragma once

#include <windows.h>

namespace acquire {

void ShowAboutBox(HWND owner);

}  // namespace acquire

// The export of pvres.dll: its own module, from which the acquire module loads its resources.
#pragma once

#include <windows.h>

extern "C" HINSTANCE GetPvsourceResourceHandle();

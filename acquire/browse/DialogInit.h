// The initial items that a dialog template of pvres carries for its combo boxes (a resource of type
// RT_PV_DLGINIT with the dialog's id), added to the controls.
#pragma once

#include <windows.h>

namespace acquire {

void ApplyDialogInit(HWND dialog, UINT templateId);

}  // namespace acquire

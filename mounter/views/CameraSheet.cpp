#include "CameraSheet.h"

#include "CaptureModePage.h"
#include "GenInfoPage.h"
#include "MounterResources.h"

INT_PTR ShowCameraPropertySheet(CMounterNameSpaceFolder* folder, HWND owner) {
    CGenInfoPage settings(folder);
    CCaptureModePage capture(folder);
    return RunPropertySheet(owner, IDS_SHEET_CAMERA, {&settings, &capture});
}

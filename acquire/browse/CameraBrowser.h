// The CAMERA button's run: connect, check the camera, let the user choose pictures in the "Get
// Camera Pictures" dialog and retrieve them into the acquire dialog; disconnect at the end.
#pragma once

namespace acquire {

class AcquireDialog;
class AcquireManager;

// 0 or an error code for the display routine.
int GetCameraPictures(AcquireManager& manager, AcquireDialog& dialog);

}  // namespace acquire

// The DISK button's run: let the user choose picture files in the "Get Disk Pictures" dialog and
// retrieve them into the acquire dialog. The camera is not needed for these pictures.
#pragma once

namespace acquire {

class AcquireDialog;
class AcquireManager;

// 0 or an error code for the display routine.
int GetDiskPictures(AcquireManager& manager, AcquireDialog& dialog);

}  // namespace acquire

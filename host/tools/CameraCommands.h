// The commands of pvcam, on a connected camera.
#pragma once

class CSerialCamera;

namespace pvcam {

// Runs argv[0] with its arguments; returns the program's exit code.
int RunCommand(CSerialCamera* camera, int argc, char** argv);

}  // namespace pvcam

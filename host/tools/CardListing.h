// The card's directories as the camera lists them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CSerialCamera;

namespace pvcam {

constexpr const char* kPictureDir = "\\PCCARD\\DCIMAGES";

struct Entry {
    std::string name;
    BYTE attributes = 0;
    DWORD size = 0;
    WORD dosTime = 0;
    WORD dosDate = 0;

    bool IsDirectory() const { return attributes & 0x10; }
    bool IsAlbum() const { return IsDirectory() && name != "." && name != ".."; }
};

// Prints a failed step with the camera's result; answers whether it succeeded.
bool Report(const char* what, DWORD result);
// Appends the entries of a camera directory; false (reported) when the camera refused.
bool List(CSerialCamera* camera, const std::string& path, std::vector<Entry>& out);
// A picture file of the camera: .JPG, .FPX or .ODC.
bool IsPicture(const std::string& name);

}  // namespace pvcam

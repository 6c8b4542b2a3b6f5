// A camera double: a camera object of the camera library's documented layout that passes every
// operation to a real session against the simulator, but answers what a test asks for where the
// simulator cannot: an internal memory, names that no card image on this disk can hold (devices,
// separators, colons, control characters), sizes, and lists that fail after a part was received.
// While a ScopedCameraDouble lives, every folder that COM creates is this program's own, and every
// folder that connects gets a double.
#pragma once

#include "CameraDevice.h"
#include "SerialCamera.h"

#include <windows.h>

#include <map>
#include <string>

namespace cameradouble {

struct Script {
    bool internalMemory = false;
    // A name of the card image (as the camera lists it, "NAME.EXT") and the 11 bytes of name and
    // extension that the double lists in its place; camera paths with the listed name are read
    // with the real one.
    std::map<std::string, std::string> renamed;
    // Every entry listed in this camera directory gets this size.
    std::string resizedDirectory;
    DWORD resizedTo = 0;
    // A listing of this camera directory fails with this result after handing out a list of
    // partBytes bytes, as a transfer that broke off after its first packets does.
    std::string brokenDirectory;
    DWORD brokenResult = 0;
    DWORD partBytes = 0;
    // Counted by the double.
    int listings = 0;
    int fileReads = 0;
};

// Installs the double's opener for its lifetime; the script is read and counted while it lives.
class ScopedCameraDouble {
public:
    explicit ScopedCameraDouble(Script* script);
    ~ScopedCameraDouble();
    ScopedCameraDouble(const ScopedCameraDouble&) = delete;
    ScopedCameraDouble& operator=(const ScopedCameraDouble&) = delete;

private:
    DWORD m_cookies[3] = {};
};

}  // namespace cameradouble

// Names from the camera (directory entries, album titles of "ALBUM.CTL") on their way to the local
// disk. A camera, or a card written by another device, may name anything; only a name that stays one
// plain file or directory name inside the directory it is put in may become part of a local path.
#pragma once

#include <string>

// A name that can stand as one element of a local path: not empty, no path separators, no drive or
// stream colons, no wildcards or other characters the file system refuses, no control characters,
// not "." or "..", no trailing dot or blank, and not a device (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, with or without an extension), at most MAX_PATH - 1 characters.
bool IsUsableLocalName(const std::string& name);

// The name made usable: refused characters become "_", trailing dots and blanks go, a device
// name gets a leading "_", and nothing left becomes "_". A usable name comes back unchanged.
std::string SafeLocalName(const std::string& name);

// The camera's own directories of its two memories.
#pragma once

#include <windows.h>

#include <string>

namespace mounter {

// "\MEMORY" for the internal memory (type 1), the card's "\PCCARD\DCIMAGES" (string 8027) for any
// other type.
std::string MemoryPath(DWORD memoryType);
std::string CardPath();

}  // namespace mounter

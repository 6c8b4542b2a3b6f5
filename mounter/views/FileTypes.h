// What the system registers for a picture's file type.
#pragma once

#include <string>

// Whether a program opens files of the name's type: the extension's key (from the last "."), its
// type name, and that type's "\Shell\Open\Command" key all exist under HKEY_CLASSES_ROOT.
bool IsFileTypeRegistered(const std::string& fileName);

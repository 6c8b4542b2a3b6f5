// What the system registers for a picture's file type.
#pragma once

#include <string>

// Whether a program opens files of the name's type: the extension's key (from the last "."), its
// type name, and that type's "\Shell\Open\Command" key all exist under HKEY_CLASSES_ROOT.
bool IsFileTypeRegistered(const std::string& fileName);

// Makes program open files of the name's type: the extension's key (from the last ".") gets the
// type name (the extension without its ".", as the name spells it) and that type's
// "\Shell\Open\Command" key the command "<program>  %1". Values there are overwritten, nothing else
// is touched; false when a key or value could not be written (nothing at all when the extension's
// key could not be made).
bool RegisterProgramForType(const std::string& fileName, const std::string& program);

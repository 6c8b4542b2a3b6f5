// What registering the module writes: the three classes as in-process servers with their ProgIDs,
// and what makes the camera appear under My Computer (the junction, the camera's icon and the
// attributes that let file dialogs list it).
#pragma once

#include <windows.h>

// Writes every entry for the module at modulePath; answers the number of entries that failed.
int RegisterMounterServer(const char* modulePath);

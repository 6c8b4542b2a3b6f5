// What a "Se&nd To" entry does with the selected items: a program gets the copies of the pictures
// as its parameters, a folder receives the copies of the pictures and albums.
#pragma once

#include "SendToItem.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

class CMounterNameSpaceFolder;

void SendItemsTo(const CSendToItem& entry, CMounterNameSpaceFolder* folder, HWND owner,
                 const std::vector<LPCITEMIDLIST>& items);

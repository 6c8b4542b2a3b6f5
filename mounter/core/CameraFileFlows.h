// The user's destructive commands on the camera's files: deleting pictures and formatting the card.
#pragma once

#include <windows.h>

#include <string>

class CMounterNameSpaceFolder;

constexpr DWORD kDeletionPauseMs = 1000;

// Asks string 9037 with caption 9038, Yes or No: true for Yes.
bool ConfirmPictureDeletion(HWND owner);

// Deletes one file from the camera; a failure is told with string 10011 naming it. True when deleted.
bool DeleteCameraPicture(CMounterNameSpaceFolder* folder, HWND owner, const std::string& cameraPath,
                         const std::string& name);

// Asks for the picture files in the "Delete Selected Files From Camera" dialog and, once confirmed,
// deletes them from the memory card one after the other with a pause after each. Answers the number
// of files deleted.
int DeletePicturesFromCard(CMounterNameSpaceFolder* folder, HWND owner, DWORD pauseMs = kDeletionPauseMs);

// Formats the memory card after the user's confirmation, under the format notice, and tells the
// outcome. Answers the format's status code, or -1 when nothing was formatted.
int FormatCardWithConfirmation(CMounterNameSpaceFolder* folder, HWND owner);

// Retrieval: every entry of the source list becomes a picture of the acquire dialog's list, with
// its thumbnail and information, under the progress box. Files that cannot be read are reported
// by name and dropped from the source list; any other failure ends the run.
#pragma once

#include "PictureEntry.h"
#include "SourceEntry.h"

#include <string>
#include <vector>

namespace acquire {

struct RetrievalRun {
    std::vector<std::string>* sources;
    std::vector<PictureEntry>* pictures;   // emptied first
    PvConnection* camera = nullptr;        // an open connection, for camera entries
    HWND owner = nullptr;                  // of the progress box and the messages
};

// 0 or an error code for the display routine (kErrCancelled when the user cancelled,
// kErrUserCancelled when the last entry was unreadable, its message shown).
int RetrieveAll(const RetrievalRun& run);

// One entry: 0 with the picture filled, or an error code.
int RetrieveEntry(const SourceEntry& source, PvConnection* camera, PictureEntry* picture);

// "Unable to read the file: %s." with the hint after it, titled "Unreadable File Type".
void ShowUnreadableFile(const std::string& name, HWND owner);

}  // namespace acquire

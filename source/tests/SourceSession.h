// The data source as the tests reach it: installed where the test source manager looks for
// sources, opened by the test application, and its state read back through triplets alone.
#pragma once

#include "TwainApplication.h"

#include <memory>
#include <string>

namespace sourcetest {

constexpr char kProductName[] = "ORVIK PV350/PV360 Zoom Acquire";

// The installed copy of pvsource.ds in the Windows directory's source folder.
std::string InstalledSourcePath();
// Copies pvsource.ds from beside the test program into the source folder.
bool InstallSource();

class SourceSession {
public:
    SourceSession();
    ~SourceSession() { GoTo(0); }
    SourceSession(const SourceSession&) = delete;
    SourceSession& operator=(const SourceSession&) = delete;

    twaintest::TwainApplication app;

    bool Open();
    TW_UINT16 Send(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData) {
        return app.Send(group, dat, message, pData);
    }
    // The source's state number (0 closed to 4 transferring) as its answers show it; leaves the
    // condition code cleared.
    int Probe();
    // Brings the source to a state: 0 closed, 1 open, 2 enabled with its dialog, 3 transfer ready
    // (enabled without dialog: needs the camera).
    bool GoTo(int state);
    // DS_Entry of the loaded source, for calls the manager would not pass on.
    DSENTRYPROC DirectEntry() const;
};

// A container in a movable block, as an application offers one.
HGLOBAL Container(const void* bytes, size_t size);
// The one-value container with a 32-bit item.
HGLOBAL OneValue(TW_UINT16 itemType, uint32_t item);

}  // namespace sourcetest

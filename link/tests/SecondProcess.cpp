// A second process on the same machine, for the tests of what the link shares between processes.
//   linkproc open PORT            -> exit code result * 100 + failure location
//   linkproc hold MUTEX EVENT MS  -> owns the named mutex for MS after signalling EVENT
#include "UniqueHandle.h"
#include "pvlink.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc == 3 && !std::strcmp(argv[1], "open")) {
        DWORD port = std::strtoul(argv[2], nullptr, 10);
        DWORD result = CommOpen(port), location = 0;
        CommGetStatus(port, nullptr, nullptr, nullptr, &location);
        if (result) CommClose(port);
        return static_cast<int>(result * 100 + location);
    }
    if (argc == 5 && !std::strcmp(argv[1], "hold")) {
        pv::UniqueHandle mutex(CreateMutexA(nullptr, FALSE, argv[2]));
        pv::UniqueHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]));
        if (!mutex || !ready || WaitForSingleObject(mutex.get(), 5000) != WAIT_OBJECT_0) return 2;
        SetEvent(ready.get());
        Sleep(std::strtoul(argv[4], nullptr, 10));
        ReleaseMutex(mutex.get());
        return 0;
    }
    return 3;
}

#include "PortSearch.h"

#include "UniqueHandle.h"

#include <windows.h>

#include <string>

namespace acquire {

PortAvailability SearchPorts() {
    PortAvailability available{};
    available[0] = true;
    for (int n = 1; n <= 9; ++n) {
        std::string name = "COM" + std::to_string(n);
        pv::UniqueHandle port(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!port) {
            available[size_t(n)] = GetLastError() == ERROR_ACCESS_DENIED;
            continue;
        }
        available[size_t(n)] = SetupComm(port.get(), 2048, 2048) != FALSE;
    }
    return available;
}

}  // namespace acquire

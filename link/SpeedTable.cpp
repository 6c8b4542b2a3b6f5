#include "SpeedTable.h"

namespace pvlink {

DWORD TopSpeedForMaxBaud(DWORD maxBaud) {
    switch (maxBaud) {
    case BAUD_9600:
    case BAUD_14400: return 9600;
    case BAUD_19200: return 19200;
    case BAUD_38400:
    case BAUD_56K: return 38400;
    case BAUD_57600: return 57600;
    case BAUD_128K:
    case BAUD_115200: return 115200;
    default: return 230400;
    }
}

bool IsSupportedSpeed(DWORD baud) {
    switch (baud) {
    case 9600: case 19200: case 38400: case 57600: case 115200: case 230400: return true;
    default: return false;
    }
}

}  // namespace pvlink

// The values of the capabilities that the acquire dialog and the transfers follow, read from the
// current containers when the application enables the source.
#pragma once

#include "CapabilityList.h"

namespace source {

struct BridgeSettings {
    int32_t transferCount = -1;
    uint16_t pixelType = TWPT_RGB;
    HWND dialog = nullptr;
    uint32_t indicators = 0;
};

// CAP_XFERCOUNT, ICAP_PIXELTYPE (a type the transfers do not know becomes RGB) and CAP_INDICATORS;
// the dialog handle is left as it is.
void ReadCapabilities(const CapabilityList& capabilities, BridgeSettings* settings);

}  // namespace source

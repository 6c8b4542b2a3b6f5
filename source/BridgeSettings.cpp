#include "BridgeSettings.h"

namespace source {

void ReadCapabilities(const CapabilityList& capabilities, BridgeSettings* settings) {
    settings->transferCount = capabilities.CurrentNumber(CAP_XFERCOUNT).value_or(-1);
    int32_t pixelType = capabilities.CurrentNumber(ICAP_PIXELTYPE).value_or(TWPT_RGB);
    settings->pixelType = uint16_t(pixelType == 0 || pixelType > TWPT_PALETTE ? TWPT_RGB : pixelType);
    settings->indicators = uint32_t(capabilities.CurrentNumber(CAP_INDICATORS).value_or(0));
}

}  // namespace source

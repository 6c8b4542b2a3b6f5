// DG_CONTROL / DAT_CAPABILITY: answering MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_SET and
// MSG_RESET from the capability list.
#pragma once

#include "CapabilityList.h"

namespace source {

Code HandleCapability(CapabilityList& list, TW_UINT16 message, void* pData);

}  // namespace source

// The capabilities of one open: built from the module's raw-data resources at open, in ascending
// order, with CAP_SUPPORTEDCAPS last; each with its default and current container.
#pragma once

#include "CapabilityContainer.h"
#include "SourceCodes.h"

#include <memory>
#include <vector>

namespace source {

struct CapabilityEntry {
    std::shared_ptr<CapabilityContainer> defaultContainer;
    std::shared_ptr<CapabilityContainer> current;   // the default itself until a set succeeds
    bool settable = false;
    TW_UINT16 id = 0;
    TW_UINT16 lastMessage = 0;
};

class CapabilityList {
public:
    // Loads the resources of module; false when a resource is damaged or memory ran out.
    bool Load(HINSTANCE module);
    void Clear() { entries_.clear(); }
    CapabilityEntry* Find(TW_UINT16 id);

    // The current item of a capability as a number at its width (a range's slot as 32 bits);
    // nothing when the capability is not loaded.
    std::optional<int32_t> CurrentNumber(TW_UINT16 id) const;

    // After MSG_XFERREADY and each MSG_ENDXFER: the capabilities that describe a picture follow
    // the pending picture (picturePending) or go back to their defaults.
    void RefreshForPicture(bool picturePending);

private:
    std::vector<CapabilityEntry> entries_;
};

}  // namespace source

// The pictures chosen for transfer and still pending, each described by the acquire module.
#pragma once

#include "AcquireExports.h"

#include <memory>
#include <vector>

namespace source {

class PendingPictureList {
public:
    // Status of a failed build: the acquire module's code with bit 15 set, or 2 for memory.
    static constexpr uint32_t kFailureBit = 0x8000;
    static constexpr uint32_t kNoMemoryStatus = 2;

    // Describes each picture through UIODCGetPictureInfo; 0 with the list, or the status.
    static uint32_t Build(const uint16_t* numbers, uint32_t count, std::unique_ptr<PendingPictureList>* list);

    uint32_t remaining() const { return remaining_; }
    // One transfer done: false when none remains (the list is then to be freed).
    bool Advance();
    // The picture of the current transfer and its position in the list; null when none is left.
    const PictureInfo* current() const { return remaining_ && index_ < entries_.size() ? entries_[index_].get() : nullptr; }
    uint32_t index() const { return index_; }
    // Nothing more is to be transferred (after a cancel or a failed picture).
    void DropRemaining() { remaining_ = 0; }

private:
    uint32_t remaining_ = 0;
    uint32_t index_ = 0;
    std::vector<std::unique_ptr<PictureInfo>> entries_;
};

}  // namespace source

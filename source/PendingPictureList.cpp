#include "PendingPictureList.h"

#include <new>

namespace source {

uint32_t PendingPictureList::Build(const uint16_t* numbers, uint32_t count, std::unique_ptr<PendingPictureList>* list) {
    list->reset();
    std::unique_ptr<PendingPictureList> built(new (std::nothrow) PendingPictureList);
    if (!built) return kNoMemoryStatus;
    built->remaining_ = count;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<PictureInfo> info(new (std::nothrow) PictureInfo{});
        if (!info) return kNoMemoryStatus;
        if (uint16_t result = UIODCGetPictureInfo(numbers[i], info.get())) return result | kFailureBit;
        built->entries_.push_back(std::move(info));
    }
    *list = std::move(built);
    return 0;
}

bool PendingPictureList::Advance() {
    if (remaining_ == 0) return false;
    if (--remaining_ == 0) return false;
    ++index_;
    return true;
}

}  // namespace source

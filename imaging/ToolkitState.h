// The toolkit's process-wide state between start and stop: the two colour converters (made on
// first use), every handle handed out, the memory block of a closed image's tile cache, kept
// for the next image, and how many threads may decode one region.
#pragma once

#include "NIFColorConv.h"

#include <memory>
#include <vector>

struct NIFHandle;

namespace nif {

class ToolkitState {
public:
    // The state, or nullptr when the toolkit is not started.
    static ToolkitState* Get();
    static bool Start();
    static void Stop();

    const NIFColorConv* converter(NIF_COCO_TYPE type);
    void adopt(NIFHandle* handle);
    bool owns(const NIFHandle* handle) const;
    std::unique_ptr<uint8_t[]>& spareCacheBlock() { return spareCacheBlock_; }
    // One a processor, at most kMaxDecodeThreads; PV_DECODE_THREADS, when set to a number in
    // that range at start, takes their place.
    int decodeThreads() const { return decodeThreads_; }

    static constexpr int kMaxDecodeThreads = 4;

private:
    ToolkitState() = default;
    ~ToolkitState();

    std::unique_ptr<NIFColorConv> yccToRgb_;
    std::unique_ptr<NIFColorConv> rgbToYcc_;
    std::vector<NIFHandle*> handles_;
    std::unique_ptr<uint8_t[]> spareCacheBlock_;
    int decodeThreads_ = 1;
    bool oleStarted_ = false;
};

}  // namespace nif

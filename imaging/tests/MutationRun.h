// Feeds damaged variants of a FlashPix file to the toolkit: truncations and random byte
// changes, each opened and decoded at every level. Shared by the test and the long run.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

struct MutationTally {
    uint32_t variants = 0;
    uint32_t decoded = 0;
    uint32_t refused = 0;
    uint32_t unexplained = 0;   // a failure code without a message
};

// heartbeat, when given, counts each variant as it is started, for a watchdog of its own.
void RunMutations(const std::vector<uint8_t>& original, uint32_t seed, uint32_t count, MutationTally& tally,
                  std::atomic<uint32_t>* heartbeat = nullptr);

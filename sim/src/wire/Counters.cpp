#include "Counters.h"

namespace pvsim {

std::string Counters::render() const {
    std::string s;
    auto add = [&](const char* name, const std::atomic<unsigned>& v) {
        if (!s.empty()) s += ' ';
        s += name;
        s += '=';
        s += std::to_string(v.load());
    };
    add("blocks", blocks);
    add("accepted", accepted);
    add("completed", completed);
    add("host_packets", hostPackets);
    add("withdrawn", withdrawn);
    add("packets_sent", packetsSent);
    add("resends", resends);
    add("cancels", cancels);
    add("resets", resets);
    add("speed_changes", speedChanges);
    add("bytes_in", bytesIn);
    add("bytes_out", bytesOut);
    add("garbled", garbled);
    return s;
}

void Counters::clear() {
    for (auto* c : {&blocks, &accepted, &completed, &hostPackets, &withdrawn, &packetsSent, &resends,
                    &cancels, &resets, &speedChanges, &bytesIn, &bytesOut, &garbled})
        c->store(0);
}

}  // namespace pvsim

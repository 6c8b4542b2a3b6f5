// The host's path packet: 0x80, the path in bytes 1 to 48 (zero-filled), two big-endian fields in
// bytes 49 to 52 and 53 to 56, zeros in 57 and 58, the checksum in 59.
#pragma once

#include "Camera.h"
#include "Exchange.h"

namespace pvsim {

struct PathRequest {
    std::string path;
    uint32_t field1 = 0;
    uint32_t field2 = 0;
};

PathRequest parsePathPacket(const Bytes& packet);

// Receives the path packet of a command and reports fields that differ from what the command
// expects. Nothing when the host withdrew or never sent its packet.
std::optional<PathRequest> receivePath(Exchange& ex, uint32_t field1, uint32_t field2);

// Receives the path packet and finds what it names; on failure the camera has already answered
// 0xE2 in place of its data packet. The exchange then sends only while the camera can serve the node.
std::optional<Node> receiveNode(Exchange& ex, const Camera& cam, uint32_t field1, uint32_t field2);

}  // namespace pvsim

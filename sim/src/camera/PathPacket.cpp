#include "PathPacket.h"

#include <cctype>

namespace pvsim {

PathRequest parsePathPacket(const Bytes& p) {
    PathRequest r;
    for (size_t i = 1; i <= 48 && p[i] != 0; ++i) r.path += static_cast<char>(p[i]);
    r.field1 = getBe32(&p[49]);
    r.field2 = getBe32(&p[53]);
    return r;
}

std::optional<PathRequest> receivePath(Exchange& ex, uint32_t field1, uint32_t field2) {
    auto packet = ex.receiveHostPacket();
    if (!packet) return std::nullopt;
    PathRequest r = parsePathPacket(*packet);
    char text[96];
    if (r.field1 != field1 || r.field2 != field2) {
        std::snprintf(text, sizeof text, "path packet fields %08X %08X, expected %08X %08X", r.field1, r.field2, field1, field2);
        ex.reportViolation(text);
    }
    if ((*packet)[57] != 0 || (*packet)[58] != 0) ex.reportViolation("path packet bytes 57 and 58 are not zero");
    for (size_t i = r.path.size() + 1; i <= 48; ++i)
        if ((*packet)[i] != 0) {
            ex.reportViolation("path packet has bytes after the path's end");
            break;
        }
    return r;
}

std::optional<Node> receiveNode(Exchange& ex, const Camera& cam, uint32_t field1, uint32_t field2) {
    auto request = receivePath(ex, field1, field2);
    if (!request) return std::nullopt;
    Refusal why;
    auto node = cam.store.resolve(request->path, why);
    if (!node) ex.sendErrorInsteadOfPacket();
    else ex.requireWhileSending([&cam, served = *node] { return cam.canServe(served); });
    return node;
}

}  // namespace pvsim

// Commands that name a file or directory with a path packet: list, read, erase and format.
#include "CommandTable.h"

#include "Codes.h"
#include "PathPacket.h"

namespace pvsim {
namespace {

constexpr uint32_t kAll = 0xFFFFFFFF;

Bytes directoryList(const std::vector<EntryFacts>& entries) {
    Bytes data(2 + entries.size() * 20);
    putBe16(data.data(), static_cast<uint32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) encodeEntry(entries[i], &data[2 + i * 20]);
    return data;
}

void listDirectory(Camera& cam, Exchange& ex) {
    ex.accept();
    auto node = receiveNode(ex, cam, 0, 0);
    if (node && ex.sendPackets(directoryList(cam.store.list(*node)), 256)) ex.complete();
}

void readFile(Camera& cam, Exchange& ex) {
    ex.accept();
    auto node = receiveNode(ex, cam, kAll, kAll);
    if (!node) return;
    auto data = cam.store.read(*node);
    if (!data) return ex.sendErrorInsteadOfPacket();
    if (ex.sendPackets(*data, 512)) ex.complete();
}

void eraseFile(Camera& cam, Exchange& ex) {
    ex.accept();
    auto request = receivePath(ex, 0, kAll);
    if (!request) return;
    Refusal why;
    auto node = cam.store.resolve(request->path, why);
    ex.complete(node && cam.store.erase(*node) ? code::kComplete : code::kCameraError);
}

// Formatting wipes the card and leaves an empty picture directory; the 16-byte answer holds the
// card's capacity and free bytes.
void formatCard(Camera& cam, Exchange& ex) {
    ex.accept();
    auto request = receivePath(ex, 0, 0);
    if (!request) return;
    if (!request->path.empty()) ex.reportViolation("format path packet names \"" + request->path + "\"");
    if (!cam.store.cardPresent()) return ex.sendErrorInsteadOfPacket();
    cam.store.format();
    Bytes answer(16, 0);
    putBe32(&answer[0], static_cast<uint32_t>(cam.store.manifest().capacity));
    putBe32(&answer[4], static_cast<uint32_t>(cam.store.freeBytes()));
    if (ex.sendPackets(answer, 16)) ex.complete();
}

}  // namespace

void addFileCommands(HandlerTable& t, Camera& cam) {
    t[0x99] = [&cam](Exchange& ex, const CommandBlock&) { listDirectory(cam, ex); };
    t[0x9A] = [&cam](Exchange& ex, const CommandBlock&) { readFile(cam, ex); };
    t[0x9D] = [&cam](Exchange& ex, const CommandBlock&) { eraseFile(cam, ex); };
    t[0x95] = [&cam](Exchange& ex, const CommandBlock&) { formatCard(cam, ex); };
}

}  // namespace pvsim

// Commands about pictures: thumbnails and information by path or by number, erasing by number and
// taking a new picture.
#include "CommandTable.h"

#include "Capture.h"
#include "Codes.h"
#include "PathPacket.h"
#include "PictureRecords.h"

namespace pvsim {
namespace {

constexpr uint32_t kAll = 0xFFFFFFFF;
using Record = Bytes (*)(const Camera&, const Node&);

// Sends a record of the file a path packet names, in packets of `size` bytes.
Handler byPath(Camera& cam, Record record, size_t size) {
    return [&cam, record, size](Exchange& ex, const CommandBlock&) {
        ex.accept();
        auto node = receiveNode(ex, cam, kAll, kAll);
        if (!node) return;
        if (node->dir) return ex.sendErrorInsteadOfPacket();
        if (ex.sendPackets(record(cam, *node), size)) ex.complete();
    };
}

// The same for the picture numbered by the command's 16-bit argument (0 is the first picture).
Handler byNumber(Camera& cam, Record record, size_t size) {
    return [&cam, record, size](Exchange& ex, const CommandBlock& b) {
        if (!cam.store.cardUsable()) return ex.answer(code::kCameraError);
        auto pictures = cam.pictures();
        if (b.arg16() >= pictures.size()) return ex.answer(code::kRejected);
        ex.accept();
        ex.requireWhileSending([&cam, served = pictures[b.arg16()].node] { return cam.canServe(served); });
        if (ex.sendPackets(record(cam, pictures[b.arg16()].node), size)) ex.complete();
    };
}

void erasePicture(Camera& cam, Exchange& ex, const CommandBlock& b) {
    if (!cam.store.cardUsable()) return ex.answer(code::kCameraError);
    auto pictures = cam.pictures();
    bool all = b.arg16() == 0xFFFF;
    if (!all && b.arg16() >= pictures.size()) return ex.answer(code::kRejected);
    ex.accept();
    bool ok = true;
    for (size_t i = 0; i < pictures.size(); ++i)
        if (all || i == b.arg16()) ok = cam.store.erase(pictures[i].node) && ok;
    ex.complete(ok ? code::kComplete : code::kCameraError);
}

// A camera without a usable card, without power or with a full card refuses to take a picture.
void shoot(Camera& cam, Exchange& ex) {
    if (!cam.store.cardUsable() || !cam.powered() || cam.remaining(cam.settings.quality) == 0)
        return ex.answer(code::kCameraError);
    ex.accept();
    ex.complete(takePicture(cam) ? code::kComplete : code::kCameraError);
}

}  // namespace

void addPictureCommands(HandlerTable& t, Camera& cam) {
    t[0x93] = byPath(cam, pictureThumbnail, 1024);
    t[0x66] = byNumber(cam, pictureThumbnail, 1024);
    t[0x91] = byPath(cam, pictureInfoRecord, 256);
    t[0x65] = byNumber(cam, pictureInfoRecord, 256);
    t[0x7B] = [&cam](Exchange& ex, const CommandBlock& b) { erasePicture(cam, ex, b); };
    t[0x7C] = [&cam](Exchange& ex, const CommandBlock&) { shoot(cam, ex); };
}

}  // namespace pvsim

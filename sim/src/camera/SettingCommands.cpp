// Commands without data phases that change or report the camera's state: the settings, the clock,
// the file-access bracket, the status record and the line speed.
#include "CommandTable.h"

#include "Codes.h"

namespace pvsim {
namespace {

using Check = bool (*)(const Camera&, uint8_t);
using Field = uint8_t Settings::*;

void addSetting(HandlerTable& t, Camera& cam, uint8_t code, Field field, Check valid) {
    t[code] = [&cam, field, valid](Exchange& ex, const CommandBlock& b) {
        if (!valid(cam, b.arg(1))) return ex.answer(code::kRejected);
        ex.accept();
        cam.settings.*field = b.arg(1);
        ex.complete();
    };
}

bool validExposure(const Camera&, uint8_t v) { return (v & 0x7F) <= 4 && v != 0x80; }
bool validFormat(const Camera&, uint8_t v) { return v == 3 || v == 4; }
bool validFlash(const Camera&, uint8_t v) { return v <= 4; }
bool validQuality(const Camera&, uint8_t v) { return v >= 1 && v <= 3; }
bool validSwitch(const Camera&, uint8_t v) { return v <= 1; }
bool validZoom(const Camera& cam, uint8_t v) { return cam.model == Model::PV360 && v <= 5; }

unsigned baudOfCode(uint32_t code) {
    switch (code) {
    case 0x9600: return 9600;
    case 0x1920: return 19200;
    case 0x3840: return 38400;
    case 0x5760: return 57600;
    case 0x1152: return 115200;
    case 0x2304: return 230400;
    default: return 0;
    }
}

void simple(HandlerTable& t, uint8_t code, std::function<void(const CommandBlock&)> act) {
    t[code] = [act](Exchange& ex, const CommandBlock& b) {
        ex.accept();
        act(b);
        ex.complete();
    };
}

}  // namespace

void addSettingCommands(HandlerTable& t, Camera& cam) {
    addSetting(t, cam, 0x80, &Settings::exposure, validExposure);
    addSetting(t, cam, 0x37, &Settings::format, validFormat);
    addSetting(t, cam, 0x72, &Settings::flash, validFlash);
    addSetting(t, cam, 0x71, &Settings::quality, validQuality);
    addSetting(t, cam, 0x36, &Settings::resolution, validSwitch);
    addSetting(t, cam, 0x74, &Settings::selfTimer, validSwitch);
    addSetting(t, cam, 0x78, &Settings::zoom, validZoom);
    simple(t, 0x75, [&cam](const CommandBlock& b) { cam.clock.set(b.arg32()); });
    simple(t, 0x96, [&cam](const CommandBlock&) { cam.fileAccess = true; });
    simple(t, 0x97, [&cam](const CommandBlock&) { cam.fileAccess = false; });
    t[0x7F] = [&cam](Exchange& ex, const CommandBlock&) {
        ex.accept();
        if (ex.sendPackets(cam.statusRecord(), 256)) ex.complete();
    };
    // The camera answers at the old speed and listens at the new one from then on.
    t[0x41] = [](Exchange& ex, const CommandBlock& b) {
        unsigned baud = baudOfCode(b.arg16());
        if (baud == 0) return ex.answer(code::kRejected);
        ex.accept();
        ex.switchSpeed(baud);
    };
}

}  // namespace pvsim

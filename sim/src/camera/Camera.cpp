#include <algorithm>
#include "Camera.h"

#include <cstring>

namespace pvsim {
namespace {

// Typical stored size of a picture, by resolution and quality (best, better, good).
constexpr uint32_t kTypicalBytes[2][3] = {{110000, 62000, 36000}, {330000, 180000, 100000}};

void collectPictures(const CardStore& store, const fs::path& disk, const std::string& relative, bool descend,
                     std::vector<PictureRef>& out) {
    auto kids = store.children(disk, relative);
    for (const auto& c : kids)
        if (c.dir && descend && c.facts.name != "." && c.facts.name != "..")
            collectPictures(store, c.disk, relative + "/" + c.facts.name, false, out);
    for (const auto& c : kids)
        if (!c.dir && isPictureName(c.facts.name))
            out.push_back({Node{c.disk, relative + "/" + c.facts.name, false, ""}, c.facts.name});
}

}  // namespace

bool isPictureName(const std::string& name) {
    return name.size() > 4 && (name.ends_with(".JPG") || name.ends_with(".FPX"));
}

void Camera::resetState() {
    settings = Settings();
    fileAccess = false;
}

bool Camera::canServe(const Node& node) const {
    bool onCard = node.relative == "PCCARD" || node.relative.starts_with("PCCARD/");
    return powered() && (!onCard || store.cardUsable());
}

std::vector<PictureRef> Camera::pictures() const {
    std::vector<PictureRef> out;
    Refusal why;
    if (auto dir = store.resolve("\\PCCARD\\DCIMAGES", why); dir && dir->dir)
        collectPictures(store, dir->disk, dir->relative, true, out);
    return out;
}

uint32_t Camera::remaining(uint8_t quality) const {
    if (quality < 1 || quality > 3) return 0;
    uint64_t n = store.freeBytes() / kTypicalBytes[settings.resolution ? 1 : 0][quality - 1];
    return static_cast<uint32_t>(std::min<uint64_t>(n, 0xFFFF));
}

Bytes Camera::statusRecord() const {
    Bytes s(256, 0);
    s[1] = model == Model::PV360 ? 2 : 3;
    s[8] = battery;
    s[9] = mains ? 1 : 0;
    s[16] = settings.zoom;
    s[19] = settings.quality;
    s[20] = settings.flash;
    s[21] = settings.exposure;
    s[22] = settings.resolution;
    s[23] = settings.format;
    s[29] = settings.selfTimer;
    s[30] = static_cast<uint8_t>((store.cardPresent() ? 0x80 : 0) | (store.cardPresent() && !store.cardUsable() ? 0x40 : 0));
    putBe32(&s[32], clock.now());
    putBe16(&s[56], store.cardUsable() ? static_cast<uint32_t>(pictures().size()) : 0);
    for (uint8_t q = 1; q <= 3; ++q) putBe16(&s[66 + 2 * q], remaining(q));
    const char* id = model == Model::PV360 ? "ORVIK PV360 Zoom" : "ORVIK PV350";
    std::memcpy(&s[90], id, std::strlen(id));
    return s;
}

PictureMeta Camera::metaForNewPicture() const {
    PictureMeta m;
    m.camera = model == Model::PV360 ? 4 : 3;
    m.resolution = settings.resolution;
    m.quality = settings.quality;
    m.format = settings.format;
    m.taken = clock.now();
    m.flashMode = settings.flash;
    m.flashFired = settings.flash == 1 || settings.flash == 4;
    m.zoom = model == Model::PV360 ? settings.zoom : 0;
    m.exposure = settings.exposure;
    m.selfTimer = settings.selfTimer != 0;
    return m;
}

}  // namespace pvsim

#include "CardGenerator.h"

#include "CameraClock.h"
#include "CardManifest.h"

#include "../imaging/PictureFile.h"
#include "../imaging/Ppm.h"
#include "../imaging/Scene.h"

#include <cstdio>
#include <fstream>

namespace pvsim {
namespace {

namespace fs = std::filesystem;

struct Writer {
    fs::path root;
    fs::path sources;   // where the pictures' source pixels go, or empty
    CardManifest manifest;
    SeedSequence seq;
    uint32_t clock;   // time of the next picture
    unsigned number = 0;

    bool file(const std::string& relative, const std::string& text, std::time_t when) {
        return bytes(relative, Bytes(text.begin(), text.end()), when);
    }

    bool bytes(const std::string& relative, const Bytes& data, std::time_t when) {
        return save(root / relative, data, when);
    }

    static bool save(const fs::path& p, const Bytes& data, std::time_t when) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.close();
        std::error_code ec;
        fs::last_write_time(p, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(when)), ec);
        return static_cast<bool>(out) && !ec;
    }

    // A picture as the camera would have taken it, in the given directory, named as the camera
    // numbers its pictures.
    bool picture(const std::string& dir, uint8_t format, uint8_t resolution) {
        char name[16];
        std::snprintf(name, sizeof name, "PV%06u.%s", ++number, format == 4 ? "FPX" : "JPG");
        return picture(dir, name, format, resolution);
    }

    bool picture(const std::string& dir, const std::string& name, uint8_t format, uint8_t resolution) {
        PictureMeta m;
        m.format = format;
        m.resolution = resolution;
        m.quality = static_cast<uint8_t>(1 + seq.below(3));
        m.flashMode = static_cast<uint8_t>(seq.below(5));
        m.flashFired = m.flashMode == 1;
        m.zoom = static_cast<uint8_t>(seq.below(6));
        m.taken = clock;
        clock += static_cast<uint32_t>(600 + seq.below(7200));
        Raster pixels = paintScene(seq.next(), resolution ? 1152 : 640, resolution ? 864 : 480);
        const std::time_t when = CameraClock::toLocal(m.taken);
        if (!sources.empty() && !save(sources / fs::path(name).replace_extension(".ppm"), encodePpm(pixels), when))
            return false;
        return bytes(dir + "/" + name, writePicture(pixels, m, name), when);
    }
};

bool writeAlbums(Writer& w) {
    const char* dir = "PCCARD/DCIMAGES";
    std::string ctl = "ALBUM_FILE\r\n\"ALBUM001\",\"Summer Trip.alb\"\r\n\"ALBUM002\",\"Garden.alb\"\r\n"
                      "\"ALBUM003\",\"Empty Album.alb\"\r\n";
    bool ok = w.file(std::string(dir) + "/ALBUM.CTL", ctl, CameraClock::toLocal(w.clock));
    for (const char* album : {"ALBUM001", "ALBUM002", "ALBUM003"}) fs::create_directories(w.root / dir / album);
    for (int i = 0; i < 3; ++i) ok = w.picture(std::string(dir) + "/ALBUM001", 3, 0) && ok;
    ok = w.picture(std::string(dir) + "/ALBUM002", 4, 0) && ok;
    ok = w.picture(std::string(dir) + "/ALBUM002", 3, 1) && ok;
    return ok;
}

bool writeLoosePictures(Writer& w) {
    const std::string dir = "PCCARD/DCIMAGES";
    bool ok = true;
    for (auto [format, resolution] : {std::pair{3, 0}, {4, 0}, {3, 1}, {4, 1}, {3, 0}})
        ok = w.picture(dir, static_cast<uint8_t>(format), static_cast<uint8_t>(resolution)) && ok;
    return ok;
}

bool writeOddEntries(Writer& w) {
    const std::string dir = "PCCARD/DCIMAGES/";
    std::time_t when = CameraClock::toLocal(w.clock);
    bool ok = w.file(dir + "HIDDEN.DAT", "camera private data\r\n", when);
    ok = w.file(dir + "SYSTEM.SYS", "system entry\r\n", when) && ok;
    ok = w.file(dir + "README.TXT", "Pictures taken with the ORVIK PV360 Zoom.\r\n", when) && ok;
    ok = w.file(dir + "NODATE.TXT", "a file without a date\r\n", 0) && ok;
    ok = w.file(dir + "Long File Name.jpg", "not an 8.3 name\r\n", when) && ok;
    ok = w.file(dir + "ALBUM003/BROKEN.JPG", "\xFF\xD8\xFF damaged", when) && ok;
    w.manifest.attributes["PCCARD/DCIMAGES/HIDDEN.DAT"] = 0x02;
    w.manifest.attributes["PCCARD/DCIMAGES/SYSTEM.SYS"] = 0x04;
    return ok;
}

// Album pictures: the .ODC files that an album counts as its pictures, in the camera's JPEG format.
// They are not among the pictures the camera has taken. They come last and from a stream of their
// own, so that everything else on a card is what it was before cards had them.
bool writeAlbumPictures(Writer& w, uint64_t seed) {
    constexpr uint64_t kAlbumPictureStream = 0x0DC0DC0DC0DC0DC0;
    w.seq = SeedSequence(seed ^ kAlbumPictureStream);
    const std::string dir = "PCCARD/DCIMAGES/";
    bool ok = w.picture(dir + "ALBUM001", "ALB00001.ODC", 3, 0);
    ok = w.picture(dir + "ALBUM001", "ALB00002.ODC", 3, 0) && ok;
    return w.picture(dir + "ALBUM002", "ALB00003.ODC", 3, 0) && ok;
}

}  // namespace

std::string generateCard(const fs::path& out, uint64_t seed, const fs::path& sources) {
    std::error_code ec;
    if (!sources.empty()) fs::create_directories(sources, ec);
    for (const char* old : {"MEMORY", "PCCARD", CardManifest::kFileName}) fs::remove_all(out / old, ec);
    fs::create_directories(out / "MEMORY", ec);
    fs::create_directories(out / "PCCARD" / "DCIMAGES", ec);
    if (ec) return "cannot create " + out.string() + ": " + ec.message();
    Writer w{out, sources, {}, SeedSequence(seed), 0};
    w.clock = static_cast<uint32_t>(2 * (86400 * (365 + w.seq.below(300)) + 3600 * (8 + w.seq.below(8))));
    bool ok = writeAlbums(w) && writeLoosePictures(w) && writeOddEntries(w) && writeAlbumPictures(w, seed);
    if (!ok || !w.manifest.save(out)) return "cannot write the card image in " + out.string();
    return "";
}

}  // namespace pvsim

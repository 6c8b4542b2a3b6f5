#include <algorithm>
#include "FlashPix.h"

#include "PropertySet.h"

#include <gsf/gsf.h>

namespace pvsim {
namespace {

Bytes readChild(GsfInfile* ole, const char* name) {
    GsfInput* child = gsf_infile_child_by_name(ole, name);
    if (!child) return {};
    Bytes out(static_cast<size_t>(gsf_input_size(child)));
    if (!out.empty() && !gsf_input_read(child, out.size(), out.data())) out.clear();
    g_object_unref(child);
    return out;
}

std::string textOf(const Property& p) {
    std::string s;
    if (p.type != kVtLpwstr || p.value.size() < 4) return s;
    size_t n = std::min<size_t>(le32(p.value.data()), (p.value.size() - 4) / 2);
    for (size_t i = 0; i < n && p.value[4 + 2 * i]; ++i) s += static_cast<char>(p.value[4 + 2 * i]);
    return s;
}

uint64_t filetimeOf(const Property& p) {
    if (p.type != kVtFiletime || p.value.size() < 8) return 0;
    return le32(p.value.data()) | uint64_t(le32(p.value.data() + 4)) << 32;
}

// A 24-bit bottom-up CF_DIB thumbnail from the summary information.
Raster thumbnailOf(const Property& p) {
    const Bytes& v = p.value;
    if (p.type != kVtCf || v.size() < 12 + 40 || le32(&v[8]) != 8) return {};
    const uint8_t* dib = &v[12];
    int w = static_cast<int>(le32(dib + 4)), h = static_cast<int>(le32(dib + 8));
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
    if (w <= 0 || h <= 0 || w > 1024 || h > 1024 || dib[14] != 24 || 52 + stride * h > v.size()) return {};
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) r.at(x, y)[c] = dib[40 + (h - 1 - y) * stride + x * 3 + (2 - c)];
    return r;
}

uint32_t ui4Of(const std::map<uint32_t, Property>& set, uint32_t id) {
    auto it = set.find(id);
    return it == set.end() || it->second.type != kVtUi4 || it->second.value.size() < 4 ? 0 : le32(it->second.value.data());
}

void readCamera(const std::map<uint32_t, Property>& info, PictureMeta& m) {
    if (auto it = info.find(0x24000001); it != info.end()) m.camera = textOf(it->second) == "PV350" ? 3 : 4;
    if (auto it = info.find(0x25000000); it != info.end()) m.taken = clockOfFiletime(filetimeOf(it->second));
    if (auto it = info.find(0x25000012); it != info.end()) {
        std::string note = textOf(it->second);
        if (note.rfind("quality ", 0) == 0 && note.size() == 9) m.quality = static_cast<uint8_t>(note[8] - '0');
    }
    m.flashFired = ui4Of(info, 0x2500000B) == 2;
}

}  // namespace

std::optional<FlashPixSummary> readFlashPix(const Bytes& file) {
    static const bool started = (gsf_init(), true);
    (void)started;
    GsfInput* source = gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE);
    GsfInfile* ole = gsf_infile_msole_new(source, nullptr);
    g_object_unref(source);
    if (!ole) return std::nullopt;
    auto contents = readPropertySet(readChild(ole, "\005Image Contents"));
    auto info = readPropertySet(readChild(ole, "\005Image Info"));
    auto summary = readPropertySet(readChild(ole, "\005SummaryInformation"));
    g_object_unref(ole);
    FlashPixSummary s;
    s.width = static_cast<int>(ui4Of(contents, 0x01000002));
    s.height = static_cast<int>(ui4Of(contents, 0x01000003));
    if (s.width <= 0 || s.height <= 0) return std::nullopt;
    s.meta.format = 4;
    s.meta.resolution = s.width >= 1152 ? 1 : 0;
    readCamera(info, s.meta);
    if (auto it = summary.find(17); it != summary.end()) s.thumbnail = thumbnailOf(it->second);
    return s;
}

}  // namespace pvsim

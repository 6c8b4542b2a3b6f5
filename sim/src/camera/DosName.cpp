#include <algorithm>
#include "DosName.h"

#include <cctype>
#include <cstring>

namespace pvsim {
namespace {

bool validPart(const std::string& s, size_t max) {
    if (s.empty() || s.size() > max) return false;
    for (unsigned char c : s)
        if (!std::isalnum(c) && !std::strchr("_-~!#$%&'()@^{}", c)) return false;
    return true;
}

std::string upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void split(const std::string& s, std::string& base, std::string& ext) {
    size_t dot = s.rfind('.');
    base = dot == std::string::npos ? s : s.substr(0, dot);
    ext = dot == std::string::npos ? "" : s.substr(dot + 1);
}

bool glob(const char* p, const char* s) {
    if (*p == '\0') return *s == '\0';
    if (*p == '*') return glob(p + 1, s) || (*s && glob(p, s + 1));
    return *s && (*p == '?' || *p == *s) && glob(p + 1, s + 1);
}

}  // namespace

std::string dosName(const std::string& name) {
    std::string base, ext;
    split(name, base, ext);
    if (!validPart(base, 8) || (!ext.empty() && !validPart(ext, 3)) || name.back() == '.') return "";
    return upper(name);
}

bool isPattern(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

bool matchesPattern(const std::string& pattern, const std::string& name) {
    std::string pb, pe, nb, ne;
    split(upper(pattern), pb, pe);
    split(upper(name), nb, ne);
    if (pattern.find('.') == std::string::npos) pe.assign(1, '*');
    return glob(pb.c_str(), nb.c_str()) && glob(pe.c_str(), ne.c_str());
}

void encodeEntry(const EntryFacts& e, uint8_t* out) {
    std::memset(out, ' ', 11);
    std::string base = e.name, ext;
    if (e.name != "." && e.name != "..") split(e.name, base, ext);
    std::memcpy(out, base.data(), std::min<size_t>(base.size(), 8));
    std::memcpy(out + 8, ext.data(), std::min<size_t>(ext.size(), 3));
    out[11] = e.attributes;
    std::tm tm{};
    localtime_r(&e.modified, &tm);
    bool dated = tm.tm_year >= 80;
    putBe16(out + 12, dated ? uint32_t(tm.tm_hour << 11 | tm.tm_min << 5 | tm.tm_sec / 2) : 0);
    putBe16(out + 14, dated ? uint32_t((tm.tm_year - 80) << 9 | (tm.tm_mon + 1) << 5 | tm.tm_mday) : 0);
    putBe32(out + 16, e.size);
}

}  // namespace pvsim

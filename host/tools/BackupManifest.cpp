#include "BackupManifest.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace pvcam {
namespace {

constexpr const char* kHeader = "# path\talbum\tsize\ttaken\tcrc32";

bool ParseLine(const std::string& text, std::string& path, ManifestLine& line) {
    std::istringstream in(text);
    std::string size, crc;
    if (!std::getline(in, path, '\t') || !std::getline(in, line.album, '\t') || !std::getline(in, size, '\t') ||
        !std::getline(in, line.taken, '\t') || !std::getline(in, crc) || path.empty())
        return false;
    char* end = nullptr;
    line.size = std::strtoul(size.c_str(), &end, 10);
    if (*end) return false;
    line.crc = std::strtoul(crc.c_str(), &end, 16);
    return !*end && crc.size() == 8;
}

}  // namespace

void BackupManifest::Load(const std::string& folder) {
    std::ifstream in(folder + "\\" + kFileName, std::ios::binary);
    std::string text;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::string path;
        ManifestLine line;
        if (!text.empty() && text[0] != '#' && ParseLine(text, path, line)) m_lines[path] = line;
    }
}

const ManifestLine* BackupManifest::Find(const std::string& relativePath) const {
    auto found = m_lines.find(relativePath);
    return found == m_lines.end() ? nullptr : &found->second;
}

bool BackupManifest::Save(const std::string& folder) const {
    const std::string target = folder + "\\" + kFileName, temporary = target + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << kHeader << "\r\n";
        for (const auto& [path, line] : m_lines) {
            char crc[9];
            std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(line.crc));
            out << path << '\t' << line.album << '\t' << line.size << '\t' << line.taken << '\t' << crc << "\r\n";
        }
        if (!out.flush()) return false;
    }
    return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string FormatDosTime(WORD dosDate, WORD dosTime) {
    if (dosDate == 0) return "-";
    char text[24];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980u + (dosDate >> 9), (dosDate >> 5) & 15u,
                  dosDate & 31u, dosTime >> 11, (dosTime >> 5) & 63u, (dosTime & 31u) * 2);
    return text;
}

}  // namespace pvcam

// The manifest of a card backup: one line per picture kept in the backup folder, tab separated:
//   local path (relative to the folder)  album  size  date taken  CRC-32
// Lines of earlier runs stay (a picture erased from the camera after its backup is still listed);
// a picture backed up again replaces its line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

namespace pvcam {

struct ManifestLine {
    std::string album;     // the album's title, "" for the card's top level
    DWORD size = 0;
    std::string taken;     // "YYYY-MM-DD HH:MM:SS", or "-" when the camera gave no date
    uint32_t crc = 0;
};

class BackupManifest {
public:
    static constexpr const char* kFileName = "manifest.txt";

    // Reads the manifest of a folder, if there is one; lines that do not parse are dropped.
    void Load(const std::string& folder);
    void Put(const std::string& relativePath, const ManifestLine& line) { m_lines[relativePath] = line; }
    const ManifestLine* Find(const std::string& relativePath) const;
    // Writes the manifest beside a temporary copy first, so that a failed write keeps the old one.
    bool Save(const std::string& folder) const;
    size_t Size() const { return m_lines.size(); }

private:
    std::map<std::string, ManifestLine> m_lines;
};

// A DOS date and time as the manifest writes it.
std::string FormatDosTime(WORD dosDate, WORD dosTime);

}  // namespace pvcam

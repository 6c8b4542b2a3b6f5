#include "AlbumNameTable.h"

#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr char kHeader[] = "ALBUM_FILE";

// Reads the quoted text that starts at or after pos on the current line. Answers false at the end
// of the data or of the line.
bool TakeQuoted(const char* text, size_t size, size_t& pos, std::string& out) {
    while (pos < size && text[pos] != '"' && text[pos] != '\r' && text[pos] != '\n') ++pos;
    if (pos >= size || text[pos] != '"') return false;
    size_t start = pos + 1;
    size_t end = start;
    while (end < size && text[end] != '"' && text[end] != '\r' && text[end] != '\n') ++end;
    if (end >= size || text[end] != '"') return false;
    out.assign(text + start, end - start);
    pos = end + 1;
    return true;
}

void SkipLine(const char* text, size_t size, size_t& pos) {
    while (pos < size && text[pos] != '\n') ++pos;
    if (pos < size) ++pos;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

std::string FileTitleOf(const std::string& name) {
    char title[MAX_PATH];
    if (GetFileTitleA(name.c_str(), title, sizeof title) != 0) return {};
    return title;
}

void CAlbumNameTable::Parse(Memory memory, const BYTE* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    size_t headerLength = std::strlen(kHeader);
    size_t firstLineEnd = 0;
    while (firstLineEnd < size && text[firstLineEnd] != '\r' && text[firstLineEnd] != '\n') ++firstLineEnd;
    if (firstLineEnd != headerLength || std::memcmp(text, kHeader, headerLength) != 0) return;
    size_t pos = firstLineEnd;
    SkipLine(text, size, pos);
    while (pos < size) {
        std::string directory, file;
        if (TakeQuoted(text, size, pos, directory) && TakeQuoted(text, size, pos, file) &&
            !directory.empty()) {
            m_directoryToFile[memory][directory] = file;
            m_fileToDirectory[memory][Upper(file)] = directory;
        }
        SkipLine(text, size, pos);
    }
}

std::string CAlbumNameTable::LookupAlbumTitle(Memory memory, const std::string& directory) const {
    auto found = m_directoryToFile[memory].find(directory);
    if (found == m_directoryToFile[memory].end()) return {};
    return FileTitleOf(found->second);
}

std::string CAlbumNameTable::LookupAlbumDirectory(Memory memory, const std::string& title) const {
    const auto& map = m_fileToDirectory[memory];
    std::string key = Upper(title);
    auto found = map.find(key);
    if (found != map.end()) return found->second;
    // The title is the file name without its extension when the shell hides extensions.
    for (const auto& [file, directory] : map)
        if (Upper(FileTitleOf(file)) == key) return directory;
    return {};
}

// Album titles of the camera's "ALBUM.CTL" files: per memory, directory name to album file name and
// album file name to directory name.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

class CAlbumNameTable {
public:
    enum Memory { kInternal = 0, kCard = 1 };

    // Reads one "ALBUM.CTL" into the maps of a memory; a file whose first line is not the header
    // adds nothing. Never reads outside data[0, size).
    void Parse(Memory memory, const BYTE* data, size_t size);

    // The file title of the album file named for a directory; "" when none is, or when GetFileTitle
    // refuses the file name.
    std::string LookupAlbumTitle(Memory memory, const std::string& directory) const;
    // The directory of an album title (compared in upper case); "" when none is.
    std::string LookupAlbumDirectory(Memory memory, const std::string& title) const;
    size_t Count(Memory memory) const { return m_directoryToFile[memory].size(); }

private:
    std::unordered_map<std::string, std::string> m_directoryToFile[2];
    std::unordered_map<std::string, std::string> m_fileToDirectory[2];
};

// The memory whose maps serve a folder of the given kind (1 internal memory, else the card).
inline CAlbumNameTable::Memory AlbumMemoryOfKind(LONG folderKind) {
    return folderKind == 1 ? CAlbumNameTable::kInternal : CAlbumNameTable::kCard;
}

// The file title of a name as the shell shows it (GetFileTitle); "" when GetFileTitle refuses it.
std::string FileTitleOf(const std::string& name);

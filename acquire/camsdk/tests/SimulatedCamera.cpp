#include "SimulatedCamera.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr char kPictureFolder[] = "PCCARD\\DCIMAGES";

std::string Upper(std::string s) {
    for (char& c : s) c = char(toupper(static_cast<unsigned char>(c)));
    return s;
}

// The names in a folder of the card image: subfolders or picture files, sorted as the camera lists.
std::vector<std::string> Names(const std::string& folder, bool folders) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = Upper(found.cFileName);
        bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (name == "." || name == ".." || isFolder != folders) continue;
        size_t dot = name.rfind('.');
        std::string extension = dot == std::string::npos ? "" : name.substr(dot);
        if (!folders && extension != ".JPG" && extension != ".FPX") continue;
        if (name.size() > 12 || (dot != std::string::npos && (dot > 8 || name.size() - dot > 4))) continue;
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> PicturePaths(const std::string& card) {
    std::vector<std::string> paths;
    std::string top = card + "\\" + kPictureFolder;
    for (const std::string& album : Names(top, true))
        for (const std::string& file : Names(top + "\\" + album, false))
            paths.push_back(std::string(kPictureFolder) + "\\" + album + "\\" + file);
    for (const std::string& file : Names(top, false)) paths.push_back(std::string(kPictureFolder) + "\\" + file);
    return paths;
}

}  // namespace

void SimulatedCameraTest::SetUp() {
    // A shorter reset: the simulator accepts a quiet line of 200 ms, the host pauses 300 ms.
    _putenv("PVHOST_RESET_PAUSE_MS=300");
    CameraTest::SetUp();
    Sim("timing resetquiet 200");
}

std::vector<std::string> SimulatedCameraTest::CardPictures() const {
    std::vector<std::string> names;
    for (const std::string& path : PicturePaths(card)) names.push_back(path.substr(path.rfind('\\') + 1));
    return names;
}

std::string SimulatedCameraTest::PicturePath(int n) const { return PicturePaths(card).at(size_t(n - 1)); }

std::string SimulatedCameraTest::CardFile(const std::string& relative) const {
    std::ifstream in(CardPath(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

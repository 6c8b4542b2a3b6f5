#include "TestFiles.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string DataFolder(const char* variable) {
    const char* v = std::getenv(variable);
    return v && *v ? std::string(v) + "/" : std::string();
}

std::vector<std::string> FpxFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "*.fpx").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(folder + found.cFileName);
    while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

bool ReadPnm(const std::string& path, Picture* out) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    std::string text(bytes.begin(), bytes.end());
    std::istringstream in(text);
    std::string magic;
    int maxValue = 0;
    in >> magic >> out->width >> out->height >> maxValue;
    if ((magic != "P5" && magic != "P6") || maxValue != 255) return false;
    out->channels = magic == "P6" ? 3 : 1;
    size_t start = static_cast<size_t>(in.tellg()) + 1;
    size_t size = size_t(out->width) * out->height * out->channels;
    if (start + size > bytes.size()) return false;
    out->pixels.assign(bytes.begin() + start, bytes.begin() + start + size);
    return true;
}

Picture MakeScene(int width, int height) {
    Picture p{width, height, 3, std::vector<uint8_t>(size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* px = &p.pixels[(size_t(y) * width + x) * 3];
            int dx = x - width / 3, dy = y - height / 2;
            bool disc = dx * dx + dy * dy < (height / 4) * (height / 4);
            px[0] = static_cast<uint8_t>(disc ? 200 : 40 + 180 * x / width);
            px[1] = static_cast<uint8_t>(disc ? 60 : 30 + 200 * y / height);
            px[2] = static_cast<uint8_t>(disc ? 50 : 220 - 150 * (x + y) / (width + height));
        }
    return p;
}

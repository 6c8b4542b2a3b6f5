// Test inputs: files by name from the data folders, and reference pictures (binary PPM/PGM).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> ReadFileBytes(const std::string& path);
// A folder named by an environment variable, with a trailing slash; empty when unset.
std::string DataFolder(const char* variable);
// The FlashPix files of one folder.
std::vector<std::string> FpxFilesIn(const std::string& folder);

struct Picture {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> pixels;   // top-down, interleaved
};

bool ReadPnm(const std::string& path, Picture* out);

// A smooth synthetic RGB scene (gradients and soft discs), as a camera picture might look.
Picture MakeScene(int width, int height);

// A BMP file as the file transfer writes it, read back whole: its file header must say "BM", its
// size and bits at 54 (no colour table at 24 bits per pixel).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sourcetest {

inline ::testing::AssertionResult ReadWholeBmp(const std::string& path, std::vector<BYTE>* file) {
    {
        std::ifstream in(path, std::ios::binary);
        file->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    BITMAPFILEHEADER header{};
    if (file->size() <= sizeof header) return ::testing::AssertionFailure() << path << " has " << file->size() << " bytes";
    std::memcpy(&header, file->data(), sizeof header);
    if (header.bfType != 0x4D42 || header.bfSize != file->size() || header.bfOffBits != 54 || header.bfReserved1 ||
        header.bfReserved2)
        return ::testing::AssertionFailure() << path << ": type " << header.bfType << ", size " << header.bfSize
                                             << " of " << file->size() << ", bits at " << header.bfOffBits;
    return ::testing::AssertionSuccess();
}

}  // namespace sourcetest

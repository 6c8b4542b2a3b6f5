#include "Crc32.h"

#include <gtest/gtest.h>

#include <cstring>

// The check value every CRC-32 (zip, PNG) gives for "123456789", and the empty input.
TEST(Crc32, TheStandardCheckValues) {
    const char* check = "123456789";
    EXPECT_EQ(0xCBF43926u, pv::Crc32(reinterpret_cast<const uint8_t*>(check), std::strlen(check)));
    EXPECT_EQ(0u, pv::Crc32(nullptr, 0));
    const uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(0xAE426082u, pv::Crc32(iend, sizeof iend));   // a PNG's closing chunk
}

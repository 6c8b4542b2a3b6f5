// Hexadecimal text for byte strings on the test control channels.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pvpty {

std::string encodeHex(const unsigned char* data, size_t size);
bool decodeHex(const std::string& hex, std::vector<unsigned char>& out);

}  // namespace pvpty

// The tone curves of the two built-in converters, as static tables.
#pragma once

#include <cstdint>

namespace nif {

constexpr int kYccToRgbShapeCount = 361;   // matrix output 0..360 to display values 0..255
constexpr int kRgbToYccShapeCount = 256;   // 8-bit RGB to the extended range 0..342

const int32_t* YccToRgbShape();
const int32_t* RgbToYccShape();

}  // namespace nif

// A stream of a FlashPix file, read and written as little-endian numbers.
#pragma once

#include "NIFExtStream.h"

class NIF_API NIFExtFpxStream : public NIFExtStream {
public:
    using NIFExtStream::NIFExtStream;

    int ReadU32(uint32_t* value);
    int WriteU32(uint32_t value);
    int ReadU32s(uint32_t* values, uint32_t count);
    int WriteU32s(const uint32_t* values, uint32_t count);
};

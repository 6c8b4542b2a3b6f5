#include "NIFExtFpxStream.h"

#include "ByteOrder.h"

#include <vector>

int NIFExtFpxStream::ReadU32(uint32_t* value) { return ReadU32s(value, 1); }

int NIFExtFpxStream::WriteU32(uint32_t value) { return WriteU32s(&value, 1); }

int NIFExtFpxStream::ReadU32s(uint32_t* values, uint32_t count) {
    std::vector<uint8_t> bytes(size_t(count) * 4);
    if (int rc = ReadFromFile(bytes.data(), static_cast<uint32_t>(bytes.size()))) return rc;
    for (uint32_t i = 0; i < count; ++i) values[i] = nif::LoadU32(bytes.data() + 4 * i);
    return NIF_OK;
}

int NIFExtFpxStream::WriteU32s(const uint32_t* values, uint32_t count) {
    std::vector<uint8_t> bytes(size_t(count) * 4);
    for (uint32_t i = 0; i < count; ++i) nif::StoreU32(bytes.data() + 4 * i, values[i]);
    return WriteInFile(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

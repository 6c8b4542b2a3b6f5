// A stream of a structured storage.
#pragma once

#include "ComPtr.h"
#include "NIFDefs.h"

#include <objidl.h>

#include <vector>

class NIF_API NIFExtStream {
public:
    explicit NIFExtStream(IStream* stream);   // takes a reference of its own
    NIFExtStream(const NIFExtStream& other);
    NIFExtStream& operator=(const NIFExtStream& other);
    virtual ~NIFExtStream();
    void Release();   // deletes the object inside the library that made it

    // Reads exactly size bytes at the current position; fewer is a failure.
    int ReadFromFile(void* buffer, uint32_t size);
    int WriteInFile(const void* buffer, uint32_t size);
    int Seek(uint64_t position);
    int GetEndOfFile(uint64_t* size);
    // Sets the stream's length (shortening or growing it).
    int SetEndOfFile(uint64_t size);
    int Commit();
    // The whole stream, refused when it is longer than limit.
    int ReadAll(std::vector<uint8_t>& out, uint64_t limit);

private:
    pv::ComPtr<IStream> stream_;
};

// A storage of an OLE structured-storage file held in memory: its sub-storages, streams and
// property sets.
#pragma once

#include "ComPtr.h"
#include "NIFExtFpxStream.h"
#include "NIFExtPropertySet.h"

#include <objidl.h>

#include <vector>

namespace nif {
class MemoryLockBytes;
}

class NIF_API NIFStorage {
public:
    // The root storage of the file in the caller's buffer, read-only; the buffer must outlive
    // the storage and everything opened from it.
    static int OpenOnMemory(const void* data, uint32_t size, NIFStorage** out);
    // A new, empty file in memory of its own.
    static int CreateOnMemory(NIFStorage** out);

    NIFStorage(const NIFStorage& other);
    NIFStorage& operator=(const NIFStorage& other);
    ~NIFStorage();
    void Release();   // deletes the object inside the library that made it

    int OpenStorage(const wchar_t* name, NIFStorage** out);
    int CreateStorage(const wchar_t* name, NIFStorage** out);
    int OpenStream(const wchar_t* name, NIFExtStream** out);
    int CreateStream(const wchar_t* name, NIFExtStream** out);
    int OpenFpxStream(const wchar_t* name, NIFExtFpxStream** out);
    int CreateFpxStream(const wchar_t* name, NIFExtFpxStream** out);
    // A property set is the stream of that name; opening reads its sections.
    int OpenPropertySet(const wchar_t* name, NIFPropertySet** out);
    int CreatePropertySet(const wchar_t* name, NIFPropertySet** out);
    // The same for a property set whose sections keep the names of their properties.
    int OpenExtPropertySet(const wchar_t* name, NIFExtPropertySet** out);
    int CreateExtPropertySet(const wchar_t* name, NIFExtPropertySet** out);
    int DestroyElement(const wchar_t* name);
    int GetClassId(CLSID* clsid);
    int SetClassId(const CLSID& clsid);
    int Commit();
    // The bytes of a root storage made by CreateOnMemory, after Commit.
    int GetBytes(std::vector<uint8_t>* out) const;

private:
    // Keeps references of its own to both.
    NIFStorage(IStorage* storage, nif::MemoryLockBytes* bytes);
    int RawStream(const wchar_t* name, bool create, IStream** out, const char* where);
    template <typename T>
    int Stream(const wchar_t* name, bool create, T** out, const char* where);
    int Child(const wchar_t* name, bool create, NIFStorage** out, const char* where);
    template <typename Set>
    int PropertySet(const wchar_t* name, bool create, Set** out, const char* where);

    pv::ComPtr<IStorage> storage_;
    pv::ComPtr<nif::MemoryLockBytes> bytes_;   // the memory under the file, shared by its storages
};

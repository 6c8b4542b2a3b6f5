#include "NIFStorage.h"

#include "CompoundFileCheck.h"
#include "MemoryLockBytes.h"
#include "NIFError.h"

#include <memory>
#include <new>

namespace {

constexpr DWORD kReadMode = STGM_READ | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kWriteMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kCreateMode = kWriteMode | STGM_CREATE;

// Writing is possible only on a file made in memory of its own.
DWORD ChildMode(bool writable, bool create) { return create ? kCreateMode : writable ? kWriteMode : kReadMode; }

template <typename T>
int Hand(T* object, T** out, const char* where) {
    if (!object) return nif::Fail(NIF_OUT_OF_MEMORY, std::string("Out of memory in ") + where + ".");
    *out = object;
    return NIF_OK;
}

}  // namespace

NIFStorage::NIFStorage(IStorage* storage, nif::MemoryLockBytes* bytes)
    : storage_(pv::ComPtr<IStorage>::share(storage)), bytes_(pv::ComPtr<nif::MemoryLockBytes>::share(bytes)) {}

NIFStorage::NIFStorage(const NIFStorage& other) = default;

NIFStorage& NIFStorage::operator=(const NIFStorage& other) = default;

NIFStorage::~NIFStorage() = default;

int NIFStorage::OpenOnMemory(const void* data, uint32_t size, NIFStorage** out) {
    if (!data || !out) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing argument in NIFStorage::OpenOnMemory.");
    const std::string damage = nif::CheckCompoundFile(static_cast<const uint8_t*>(data), size);
    if (!damage.empty())
        return nif::Fail(NIF_STORAGE_FAILED, "STG_E_DOCFILECORRUPT (" + damage + ") in NIFStorage::OpenOnMemory.");
    auto bytes = pv::ComPtr<nif::MemoryLockBytes>::attach(nif::MemoryLockBytes::OverCallerBytes(data, size));
    if (!bytes) return nif::Fail(NIF_OUT_OF_MEMORY, "Out of memory in NIFStorage::OpenOnMemory.");
    pv::ComPtr<IStorage> storage;
    HRESULT hr = StgOpenStorageOnILockBytes(bytes.get(), nullptr, kReadMode, nullptr, 0, storage.put());
    if (FAILED(hr)) return nif::FailHr(hr, "NIFStorage::OpenOnMemory");
    return Hand(new (std::nothrow) NIFStorage(storage.get(), bytes.get()), out, "NIFStorage::OpenOnMemory");
}

int NIFStorage::CreateOnMemory(NIFStorage** out) {
    if (!out) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing argument in NIFStorage::CreateOnMemory.");
    auto bytes = pv::ComPtr<nif::MemoryLockBytes>::attach(nif::MemoryLockBytes::Growable());
    if (!bytes) return nif::Fail(NIF_OUT_OF_MEMORY, "Out of memory in NIFStorage::CreateOnMemory.");
    pv::ComPtr<IStorage> storage;
    HRESULT hr = StgCreateDocfileOnILockBytes(bytes.get(), kCreateMode, 0, storage.put());
    if (FAILED(hr)) return nif::FailHr(hr, "NIFStorage::CreateOnMemory");
    return Hand(new (std::nothrow) NIFStorage(storage.get(), bytes.get()), out, "NIFStorage::CreateOnMemory");
}

int NIFStorage::Child(const wchar_t* name, bool create, NIFStorage** out, const char* where) {
    if (!name || !out) return nif::Fail(NIF_MISSING_ARGUMENT, std::string("Missing argument in ") + where + ".");
    pv::ComPtr<IStorage> child;
    DWORD mode = ChildMode(!bytes_->readOnly(), create);
    HRESULT hr = create ? storage_->CreateStorage(name, mode, 0, 0, child.put())
                        : storage_->OpenStorage(name, nullptr, mode, nullptr, 0, child.put());
    if (FAILED(hr)) return nif::FailHr(hr, where);
    return Hand(new (std::nothrow) NIFStorage(child.get(), bytes_.get()), out, where);
}

int NIFStorage::RawStream(const wchar_t* name, bool create, IStream** out, const char* where) {
    if (!name) return nif::Fail(NIF_MISSING_ARGUMENT, std::string("Missing argument in ") + where + ".");
    DWORD mode = ChildMode(!bytes_->readOnly(), create);
    HRESULT hr = create ? storage_->CreateStream(name, mode, 0, 0, out)
                        : storage_->OpenStream(name, nullptr, mode, 0, out);
    return FAILED(hr) ? nif::FailHr(hr, where) : NIF_OK;
}

// Hands out an opened or created stream wrapped as T.
template <typename T>
int NIFStorage::Stream(const wchar_t* name, bool create, T** out, const char* where) {
    if (!out) return nif::Fail(NIF_MISSING_ARGUMENT, std::string("Missing argument in ") + where + ".");
    pv::ComPtr<IStream> raw;
    if (int rc = RawStream(name, create, raw.put(), where)) return rc;
    return Hand(new (std::nothrow) T(raw.get()), out, where);
}

int NIFStorage::OpenStorage(const wchar_t* name, NIFStorage** out) {
    return Child(name, false, out, "NIFStorage::OpenStorage");
}

int NIFStorage::CreateStorage(const wchar_t* name, NIFStorage** out) {
    return Child(name, true, out, "NIFStorage::CreateStorage");
}

int NIFStorage::OpenStream(const wchar_t* name, NIFExtStream** out) {
    return Stream(name, false, out, "NIFStorage::OpenStream");
}

int NIFStorage::CreateStream(const wchar_t* name, NIFExtStream** out) {
    return Stream(name, true, out, "NIFStorage::CreateStream");
}

int NIFStorage::OpenFpxStream(const wchar_t* name, NIFExtFpxStream** out) {
    return Stream(name, false, out, "NIFStorage::OpenFpxStream");
}

int NIFStorage::CreateFpxStream(const wchar_t* name, NIFExtFpxStream** out) {
    return Stream(name, true, out, "NIFStorage::CreateFpxStream");
}

// A property set is the stream of its name; opening reads its sections.
template <typename Set>
int NIFStorage::PropertySet(const wchar_t* name, bool create, Set** out, const char* where) {
    if (!out) return nif::Fail(NIF_MISSING_ARGUMENT, std::string("Missing argument in ") + where + ".");
    NIFExtStream* opened = nullptr;
    if (int rc = create ? CreateStream(name, &opened) : OpenStream(name, &opened)) return rc;
    std::unique_ptr<NIFExtStream> stream(opened);
    std::unique_ptr<Set> set(new (std::nothrow) Set(*stream));
    if (!set) return nif::Fail(NIF_OUT_OF_MEMORY, std::string("Out of memory in ") + where + ".");
    if (!create)
        if (int rc = set->Load()) return rc;
    *out = set.release();
    return NIF_OK;
}

int NIFStorage::OpenPropertySet(const wchar_t* name, NIFPropertySet** out) {
    return PropertySet(name, false, out, "NIFStorage::OpenPropertySet");
}

int NIFStorage::CreatePropertySet(const wchar_t* name, NIFPropertySet** out) {
    return PropertySet(name, true, out, "NIFStorage::CreatePropertySet");
}

int NIFStorage::OpenExtPropertySet(const wchar_t* name, NIFExtPropertySet** out) {
    return PropertySet(name, false, out, "NIFStorage::OpenExtPropertySet");
}

int NIFStorage::CreateExtPropertySet(const wchar_t* name, NIFExtPropertySet** out) {
    return PropertySet(name, true, out, "NIFStorage::CreateExtPropertySet");
}

int NIFStorage::DestroyElement(const wchar_t* name) {
    if (!name) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing argument in NIFStorage::DestroyElement.");
    HRESULT hr = storage_->DestroyElement(name);
    return FAILED(hr) ? nif::FailHr(hr, "NIFStorage::DestroyElement") : NIF_OK;
}

int NIFStorage::GetClassId(CLSID* clsid) {
    if (!clsid) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing argument in NIFStorage::GetClassId.");
    STATSTG stat{};
    HRESULT hr = storage_->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr)) return nif::FailHr(hr, "NIFStorage::GetClassId");
    *clsid = stat.clsid;
    return NIF_OK;
}

int NIFStorage::SetClassId(const CLSID& clsid) {
    HRESULT hr = storage_->SetClass(clsid);
    return FAILED(hr) ? nif::FailHr(hr, "NIFStorage::SetClassId") : NIF_OK;
}

int NIFStorage::Commit() {
    HRESULT hr = storage_->Commit(STGC_DEFAULT);
    return FAILED(hr) ? nif::FailHr(hr, "NIFStorage::Commit") : NIF_OK;
}

int NIFStorage::GetBytes(std::vector<uint8_t>* out) const {
    if (!out) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing argument in NIFStorage::GetBytes.");
    out->assign(bytes_->data(), bytes_->data() + bytes_->size());
    return NIF_OK;
}

void NIFStorage::Release() { delete this; }

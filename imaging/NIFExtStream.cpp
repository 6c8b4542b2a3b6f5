#include "NIFExtStream.h"

#include "NIFError.h"

#include <new>

NIFExtStream::NIFExtStream(IStream* stream) : stream_(pv::ComPtr<IStream>::share(stream)) {}

NIFExtStream::NIFExtStream(const NIFExtStream& other) = default;

NIFExtStream& NIFExtStream::operator=(const NIFExtStream& other) = default;

NIFExtStream::~NIFExtStream() = default;

int NIFExtStream::ReadFromFile(void* buffer, uint32_t size) {
    ULONG read = 0;
    HRESULT hr = stream_->Read(buffer, size, &read);
    if (FAILED(hr)) return nif::FailHr(hr, "NIFExtStream::ReadFromFile");
    if (read != size) return nif::Fail(NIF_BAD_FILE, "Read from an OLE SS Stream is short. I.e. EOF.");
    return NIF_OK;
}

int NIFExtStream::WriteInFile(const void* buffer, uint32_t size) {
    ULONG written = 0;
    HRESULT hr = stream_->Write(buffer, size, &written);
    if (FAILED(hr)) return nif::FailHr(hr, "NIFExtStream::WriteInFile");
    if (written != size) return nif::FailHr(STG_E_MEDIUMFULL, "NIFExtStream::WriteInFile");
    return NIF_OK;
}

int NIFExtStream::Seek(uint64_t position) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(position);
    HRESULT hr = stream_->Seek(to, STREAM_SEEK_SET, nullptr);
    return FAILED(hr) ? nif::FailHr(hr, "NIFExtStream::Seek") : NIF_OK;
}

int NIFExtStream::GetEndOfFile(uint64_t* size) {
    if (!size) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing size in NIFExtStream::GetEndOfFile.");
    STATSTG stat{};
    HRESULT hr = stream_->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr)) return nif::FailHr(hr, "NIFExtStream::GetEndOfFile");
    *size = stat.cbSize.QuadPart;
    return NIF_OK;
}

int NIFExtStream::SetEndOfFile(uint64_t size) {
    ULARGE_INTEGER to;
    to.QuadPart = size;
    HRESULT hr = stream_->SetSize(to);
    return FAILED(hr) ? nif::FailHr(hr, "NIFExtStream::SetEndOfFile") : NIF_OK;
}

int NIFExtStream::Commit() {
    HRESULT hr = stream_->Commit(STGC_DEFAULT);
    return FAILED(hr) ? nif::FailHr(hr, "NIFExtStream::Commit") : NIF_OK;
}

int NIFExtStream::ReadAll(std::vector<uint8_t>& out, uint64_t limit) {
    uint64_t size = 0;
    if (int rc = GetEndOfFile(&size)) return rc;
    if (size > limit) return nif::Fail(NIF_BAD_FILE, "Stream too large in NIFExtStream::ReadAll.");
    try {
        out.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate buffer in NIFExtStream::ReadAll.");
    }
    if (int rc = Seek(0)) return rc;
    return out.empty() ? NIF_OK : ReadFromFile(out.data(), static_cast<uint32_t>(out.size()));
}

void NIFExtStream::Release() { delete this; }

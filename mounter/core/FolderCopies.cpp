// Lists and copies to disk: the folder operations that bracket their camera work with
// BeginFileAccess / EndFileAccess while a card is in the camera.
#include "MounterNameSpaceFolder.h"

#include "CopyProgressDialog.h"
#include "pvhost.h"

#include <cstdio>
#include <memory>

namespace {

constexpr char kMemoryPath[] = "\\MEMORY";
constexpr char kCardPath[] = "\\PCCARD\\DCIMAGES";
constexpr BYTE kSkippedEntryBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

struct CameraBufferDeleter {
    void operator()(BYTE* buffer) const { FreeCameraBuffer(buffer); }
};
using CameraBuffer = std::unique_ptr<BYTE, CameraBufferDeleter>;

// Writes data to a new local file; 0, or the system error.
DWORD WriteLocalFile(const std::string& path, const BYTE* data, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0;
    DWORD error = WriteFile(file, data, size, &written, nullptr) && written == size ? 0 : GetLastError();
    if (!CloseHandle(file) && error == 0) error = GetLastError();
    if (error) DeleteFileA(path.c_str());   // no half-written copy is left behind
    return error ? error : 0;
}

std::string MemoryPathOfKind(LONG kind) { return kind == MntCameraMemory ? kMemoryPath : kCardPath; }

// Reads a file of the camera, reporting to the progress dialog when there is one.
DWORD ReadCameraFile(CSerialCamera* session, const std::string& path, BYTE** data, DWORD* size,
                     CCopyProgressDialog* progress) {
    return CameraReadPictureFile(session, path.c_str(), data, size, progress ? CopyProgressCallback : nullptr,
                                 reinterpret_cast<ULONG_PTR>(progress));
}

}  // namespace

void CMounterNameSpaceFolder::FetchDiagnostics(CopyOutcome* outcome) {
    CameraGetLinkStatus(m_session, &outcome->portStatus, &outcome->portErrors, &outcome->lastError,
                        &outcome->portException);
}

void CMounterNameSpaceFolder::RecordCameraFailure(CopyOutcome* outcome, DWORD result) {
    outcome->status = result;
    FetchDiagnostics(outcome);
}

bool CMounterNameSpaceFolder::OpenFileAccess(CopyOutcome* outcome) {
    if (!IsCardPresent(TRUE)) return true;
    outcome->status = CameraBeginFileAccess(m_session);
    if (outcome->status == 0) return true;
    FetchDiagnostics(outcome);
    return false;
}

DWORD CMounterNameSpaceFolder::CloseFileAccess() {
    return IsCardPresent(TRUE) ? CameraEndFileAccess(m_session) : 0;
}

bool CMounterNameSpaceFolder::StartCopy(LPCITEMIDLIST item, CopyOutcome* outcome) {
    *outcome = CopyOutcome();
    if (!item || !IsSessionOpen() || (m_folderKind != MntCameraMemory && m_folderKind != MntMemoryCard)) {
        outcome->status = 20;
        return false;
    }
    return OpenFileAccess(outcome);
}

int CMounterNameSpaceFolder::FinishCopy(CopyOutcome* outcome, int result) {
    DWORD end = CloseFileAccess();
    if (result == 1 && end != 0) {
        RecordCameraFailure(outcome, end);
        return 0;
    }
    return result;
}

DWORD CMounterNameSpaceFolder::ListCameraFiles(BYTE** list) {
    *list = nullptr;
    if (!IsSessionOpen() || m_cameraPath.empty()) return 0;
    CopyOutcome outcome;
    if (!OpenFileAccess(&outcome)) return 0;
    DWORD count = 0;
    DWORD result = CameraListDirectory(m_session, m_cameraPath.c_str(), list, &count);
    if (CloseFileAccess() != 0) result = kCamCameraError;
    if (result != 0) {
        FreeCameraBuffer(*list);
        *list = nullptr;
        return 0;
    }
    return count;
}

int CMounterNameSpaceFolder::CopyPictureToDisk(LPCITEMIDLIST item, const char* destination, CopyOutcome* outcome,
                                               CCopyProgressDialog* progress) {
    if (!StartCopy(item, outcome)) return 0;
    std::string name = itemid::NameOf(item);
    std::string path = MemoryPathOfKind(m_folderKind) + "\\" + name;
    BYTE* data = nullptr;
    DWORD size = 0;
    DWORD read = ReadCameraFile(m_session, path, &data, &size, progress);
    int result = 1;
    if (read == kCamOk) {
        CameraBuffer buffer(data);
        result = StoreLocalFile(std::string(destination) + name, data, size, outcome) ? 1 : 0;
    } else if (read == kCamCancelled) {
        outcome->status = read;
        result = 2;
    } else {
        RecordCameraFailure(outcome, read);
        result = 0;
    }
    return FinishCopy(outcome, result);
}

bool CMounterNameSpaceFolder::StoreLocalFile(const std::string& path, const BYTE* data, DWORD size,
                                             CopyOutcome* outcome) {
    DWORD error = WriteLocalFile(path, data, size);
    if (error == 0) return true;
    outcome->status = 9;
    outcome->lastError = error;
    return false;
}

int CMounterNameSpaceFolder::CopyAlbumToDisk(LPCITEMIDLIST item, const char* destination, CopyOutcome* outcome,
                                             CCopyProgressDialog* progress) {
    if (!StartCopy(item, outcome)) return 0;
    std::string directory = itemid::NameOf(item);
    std::string albumPath = MemoryPathOfKind(m_folderKind) + "\\" + directory;
    BYTE* list = nullptr;
    DWORD count = 0;
    DWORD listed = CameraListDirectory(m_session, albumPath.c_str(), &list, &count);
    if (listed != kCamOk) {
        RecordCameraFailure(outcome, listed);
        CloseFileAccess();
        return 0;
    }
    CameraBuffer entries(list);
    std::string localDirectory = std::string(destination) + AlbumTitleOf(directory);
    int result = 1;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = list + i * kDirectoryEntrySize;
        if (entry[11] & kSkippedEntryBits) continue;
        if (!CopyAlbumFile(albumPath, localDirectory, itemid::EntryName(entry), outcome, progress)) result = 0;
    }
    entries.reset();
    return FinishCopy(outcome, result);
}

bool CMounterNameSpaceFolder::CopyAlbumFile(const std::string& albumPath, const std::string& localDirectory,
                                            const std::string& name, CopyOutcome* outcome,
                                            CCopyProgressDialog* progress) {
    if (progress) {
        progress->SetFileName(name);
        progress->SetSizeUnknown();
    }
    std::string path = albumPath + "\\" + name;
    BYTE* data = nullptr;
    DWORD size = 0;
    DWORD read = ReadCameraFile(m_session, path, &data, &size, progress);
    if (read != kCamOk) {
        RecordCameraFailure(outcome, read);
        return false;
    }
    CameraBuffer buffer(data);
    CreateDirectoryA(localDirectory.c_str(), nullptr);
    return StoreLocalFile(localDirectory + "\\" + name, data, size, outcome);
}

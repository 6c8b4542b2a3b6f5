// Lists and copies to disk: the folder operations that bracket their camera work with
// BeginFileAccess / EndFileAccess while a card is in the camera.
#include "MounterNameSpaceFolder.h"

#include "CopyProgressDialog.h"
#include "LocalNames.h"
#include "UniqueHandle.h"
#include "pvhost.h"

namespace {

constexpr BYTE kSkippedEntryBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kLocalFileError = 9;
constexpr DWORD kNothingToCopy = 20;

// Writes data to a new local file; 0, or the system error.
DWORD WriteLocalFile(const std::string& path, const BYTE* data, DWORD size) {
    DWORD error = 0;
    {
        pv::UniqueHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return GetLastError();
        DWORD written = 0;
        if (!WriteFile(file.get(), data, size, &written, nullptr)) error = GetLastError();
        else if (written != size) error = ERROR_HANDLE_DISK_FULL;
    }
    if (error) DeleteFileA(path.c_str());   // no half-written copy is left behind
    return error;
}

// Reads a file of the camera, reporting to the progress dialog when there is one.
DWORD ReadCameraFile(CSerialCamera* session, const std::string& path, mounter::CameraBuffer* data, DWORD* size,
                     CCopyProgressDialog* progress) {
    return CameraReadPictureFile(session, path.c_str(), data->put(), size, progress ? CopyProgressCallback : nullptr,
                                 reinterpret_cast<ULONG_PTR>(progress));
}

}  // namespace

void CMounterNameSpaceFolder::FetchDiagnostics(CopyOutcome* outcome) {
    CameraGetLinkStatus(m_session.get(), &outcome->portStatus, &outcome->portErrors, &outcome->lastError,
                        &outcome->portException);
}

void CMounterNameSpaceFolder::RecordCameraFailure(CopyOutcome* outcome, DWORD result) {
    outcome->status = result;
    FetchDiagnostics(outcome);
}

bool CMounterNameSpaceFolder::OpenFileAccess(CopyOutcome* outcome) {
    if (!IsCardPresent(TRUE)) return true;
    outcome->status = CameraBeginFileAccess(m_session.get());
    if (outcome->status == 0) return true;
    FetchDiagnostics(outcome);
    return false;
}

DWORD CMounterNameSpaceFolder::CloseFileAccess() {
    return IsCardPresent(TRUE) ? CameraEndFileAccess(m_session.get()) : 0;
}

// Pictures are copied out of a memory and out of an album alike: the item's camera path is the
// folder's own directory and its name.
bool CMounterNameSpaceFolder::StartCopy(LPCITEMIDLIST item, CopyOutcome* outcome) {
    *outcome = CopyOutcome();
    if (!item || !IsSessionOpen() || m_cameraPath.empty()) {
        outcome->status = kNothingToCopy;
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
    mounter::CameraBuffer entries;
    DWORD count = 0;
    DWORD result = CameraListDirectory(m_session.get(), m_cameraPath.c_str(), entries.put(), &count);
    if (CloseFileAccess() != 0) result = kCamCameraError;
    if (result != 0) return 0;
    *list = entries.release();
    return count;
}

int CMounterNameSpaceFolder::CopyPictureToDisk(LPCITEMIDLIST item, const char* destination, CopyOutcome* outcome,
                                               CCopyProgressDialog* progress) {
    if (!StartCopy(item, outcome)) return 0;
    mounter::CameraBuffer data;
    DWORD size = 0;
    DWORD read = ReadCameraFile(m_session.get(), CameraPathOf(item), &data, &size, progress);
    int result = 1;
    if (read == kCamOk) {
        std::string local = std::string(destination) + SafeLocalName(itemid::NameOf(item));
        result = StoreLocalFile(local, data.get(), size, outcome) ? 1 : 0;
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
    outcome->status = kLocalFileError;
    outcome->lastError = error;
    return false;
}

// Cancel in the progress dialog ends the whole album: no file after it is read.
int CMounterNameSpaceFolder::CopyAlbumToDisk(LPCITEMIDLIST item, const char* destination, CopyOutcome* outcome,
                                             CCopyProgressDialog* progress) {
    if (!StartCopy(item, outcome)) return 0;
    std::string albumPath = CameraPathOf(item);
    mounter::CameraBuffer list;
    DWORD count = 0;
    DWORD listed = CameraListDirectory(m_session.get(), albumPath.c_str(), list.put(), &count);
    if (listed != kCamOk) {
        RecordCameraFailure(outcome, listed);
        CloseFileAccess();
        return 0;
    }
    std::string localDirectory = std::string(destination) + LocalAlbumName(itemid::NameOf(item));
    int result = 1;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* entry = list.get() + i * kDirectoryEntrySize;
        if (entry[11] & kSkippedEntryBits) continue;
        DWORD status = CopyAlbumFile(albumPath, localDirectory, entry, outcome, progress);
        if (status != 0) result = 0;
        if (status == kCamCancelled) break;
    }
    list.reset();
    return FinishCopy(outcome, result);
}

DWORD CMounterNameSpaceFolder::CopyAlbumFile(const std::string& albumPath, const std::string& localDirectory,
                                             const BYTE* entry, CopyOutcome* outcome, CCopyProgressDialog* progress) {
    std::string name = itemid::EntryName(entry);
    if (progress) {
        progress->SetFileName(name);
        progress->SetSizeUnknown();
    }
    mounter::CameraBuffer data;
    DWORD size = 0;
    DWORD read = ReadCameraFile(m_session.get(), albumPath + "\\" + name, &data, &size, progress);
    if (read == kCamCancelled) {
        outcome->status = read;
        return read;
    }
    if (read != kCamOk) {
        RecordCameraFailure(outcome, read);
        return read;
    }
    CreateDirectoryA(localDirectory.c_str(), nullptr);
    return StoreLocalFile(localDirectory + "\\" + SafeLocalName(name), data.get(), size, outcome) ? 0
                                                                                                    : kLocalFileError;
}

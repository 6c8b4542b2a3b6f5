#include "PictureData.h"

#include "ErrorDisplay.h"
#include "ScopedSlot.h"
#include "UniqueHandle.h"

#include <new>

namespace acquire {
namespace {

// The camera library's progress call carries no context: the download in progress is the one the
// application's thread runs.
TransferProgress* g_download = nullptr;

int WINAPI DownloadProgress(int, int percent, int) { return g_download && !g_download->Show(percent / 2) ? 1 : 0; }

bool Resize(std::vector<uint8_t>* data, size_t size) {
    try {
        data->resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

int ReadPictureFile(const std::string& path, std::vector<uint8_t>* data) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return kErrNoMemory;
    if (!Resize(data, size_t(size.QuadPart))) return kErrNoMemory;
    DWORD read = 0;
    if (!data->empty() && (!ReadFile(file.get(), data->data(), DWORD(data->size()), &read, nullptr) || read != data->size()))
        return kErrNoMemory;
    return 0;
}

int DownloadCameraPicture(const CameraDownload& request, std::vector<uint8_t>* data) {
    CameraConnection& camera = *request.camera;
    if (int result = camera.ReadStatus(request.noDialog, request.owner)) return result;
    PvPictureInfo info{};
    const int32_t values[3] = {0, 0, 1};
    if (int16_t result = PV360_GetCameraPictInfo(camera.record(), request.number, kPvKindFullPicture, values, &info, nullptr))
        return result;
    if (!Resize(data, info.byteCount)) return kErrNoMemory;
    BYTE* buffer = data->data();
    PvProgressCallback callback = DownloadProgress;
    ScopedSlot<TransferProgress> scope(g_download, request.progress);
    return PV360_GetNativePicture(camera.record(), &info, &buffer, &callback);
}

}  // namespace acquire

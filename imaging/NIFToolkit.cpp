#include "NIFToolkit.h"

#include "FlatCall.h"
#include "FpxIds.h"
#include "ImageHandle.h"
#include "NIFError.h"
#include "NIFSummaryInfoWrapper.h"
#include "ToolkitState.h"

#include <cstring>
#include <new>

namespace {

using nif::ToolkitState;

// The checks every call on a handle starts with, in order.
int CheckHandle(NIFHandle* handle, const char* where) {
    if (!ToolkitState::Get()) return nif::Fail(NIF_NOT_STARTED, std::string("Toolkit not started in ") + where + ".");
    if (!handle) return nif::Fail(NIF_NO_IMAGE, std::string("No image in ") + where + ".");
    if (!ToolkitState::Get()->owns(handle) || !IsEqualGUID(handle->signature, NIFHandle::kSignature))
        return nif::Fail(NIF_BAD_SIGNATURE, std::string("Wrong handle signature in ") + where + ".");
    if (!handle->open) return nif::Fail(NIF_WRONG_STATE, std::string("Image already closed in ") + where + ".");
    return NIF_OK;
}

int MissingOutput(const char* where) {
    return nif::Fail(NIF_MISSING_ARGUMENT, std::string("Missing output argument in ") + where + ".");
}

int OpenKind(NIFHandle& h) {
    CLSID clsid{};
    if (int rc = h.root->GetClassId(&clsid)) return rc;
    if (IsEqualCLSID(clsid, nif::kImageClass)) {
        h.kind = NIF_KIND_IMAGE;
        return NIFImage::Open(*h.root, &h.image);
    }
    const bool first = IsEqualCLSID(clsid, nif::kViewClass);
    if (!first && !IsEqualCLSID(clsid, nif::kSecondViewClass))
        return nif::Fail(NIF_BAD_FILE, "Not a FlashPix image or view in NIFOpenImageFromMemory.");
    std::unique_ptr<NIFView> view;
    if (int rc = NIFView::Open(*h.root, &view)) return rc;
    h.kind = first ? NIF_KIND_VIEW : NIF_KIND_SECOND_VIEW;
    h.image = view->releaseImage();
    return NIF_OK;
}

int OpenPropertySet(NIFStorage& storage, const wchar_t* name, std::unique_ptr<NIFPropertySet>* out) {
    NIFPropertySet* set = nullptr;
    int rc = storage.OpenPropertySet(name, &set);
    out->reset(set);
    return rc;
}

void CopyText(const NIFPropSection& s, uint32_t id, char* out, size_t size) {
    std::string text;
    const NIFExtProperty* p = s.GetProperty(id);
    if (p && p->Get(&text)) std::strncpy(out, text.c_str(), size - 1);
}

}  // namespace

extern "C" {

int NIFStartToolkit(void) {
    return nif::Guarded("NIFStartToolkit", [&]() -> int {
        nif::ClearLastError();
        return ToolkitState::Start() ? NIF_OK : nif::Fail(NIF_STORAGE_FAILED, "OLE could not be initialised in NIFStartToolkit.");
    });
}

int NIFStopToolkit(void) {
    return nif::Guarded("NIFStopToolkit", [&]() -> int {
        if (!ToolkitState::Get()) return nif::Fail(NIF_NOT_STARTED, "Toolkit not started in NIFStopToolkit.");
        ToolkitState::Stop();
        return NIF_OK;
    });
}

int NIFOpenImageFromMemory(const void* data, unsigned long size, NIFHandle** handle, long* width, long* height,
                           long* kind) {
    return nif::Guarded("NIFOpenImageFromMemory", [&]() -> int {
        nif::ClearLastError();
        if (!ToolkitState::Get()) return nif::Fail(NIF_NOT_STARTED, "Toolkit not started in NIFOpenImageFromMemory.");
        if (!handle || !width || !height || !kind) return MissingOutput("NIFOpenImageFromMemory");
        if (!data) return nif::Fail(NIF_NO_IMAGE, "No data in NIFOpenImageFromMemory.");
        std::unique_ptr<NIFHandle> h(new (std::nothrow) NIFHandle);
        if (!h) return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate handle in NIFOpenImageFromMemory.");
        NIFStorage* root = nullptr;
        if (int rc = NIFStorage::OpenOnMemory(data, size, &root)) return rc;
        h->root.reset(root);
        if (int rc = OpenKind(*h)) return rc;
        *width = h->image->full().width();
        *height = h->image->full().height();
        *kind = h->kind;
        ToolkitState::Get()->adopt(h.get());
        *handle = h.release();
        return NIF_OK;
    });
}

int NIFGetSummaryInformation(NIFHandle* handle, NIFSummaryInformation* out) {
    return nif::Guarded("NIFGetSummaryInformation", [&]() -> int {
        nif::ClearLastError();
        if (int rc = CheckHandle(handle, "NIFGetSummaryInformation")) return rc;
        if (!out) return MissingOutput("NIFGetSummaryInformation");
        std::unique_ptr<NIFPropertySet> set;
        if (int rc = OpenPropertySet(*handle->root, L"\005SummaryInformation", &set)) return rc;
        return NIFSummaryInfoWrapper(*set).getInfo(out);
    });
}

int NIFGetImageInformation(NIFHandle* handle, NIFImageInformation* out) {
    return nif::Guarded("NIFGetImageInformation", [&]() -> int {
        nif::ClearLastError();
        if (int rc = CheckHandle(handle, "NIFGetImageInformation")) return rc;
        if (!out) return MissingOutput("NIFGetImageInformation");
        const NIFImage& image = *handle->image;
        const nif::ColorSpace& cs = image.full().colorSpace();
        *out = {image.full().width(), image.full().height(), image.levels(), static_cast<int32_t>(cs.space),
                cs.channels(), cs.opacity ? 1 : 0};
        return NIF_OK;
    });
}

int NIFGetCameraInformation(NIFHandle* handle, NIFCameraInformation* out) {
    return nif::Guarded("NIFGetCameraInformation", [&]() -> int {
        nif::ClearLastError();
        if (int rc = CheckHandle(handle, "NIFGetCameraInformation")) return rc;
        if (!out) return MissingOutput("NIFGetCameraInformation");
        std::memset(out, 0, sizeof *out);
        out->flash = -1;
        std::unique_ptr<NIFPropertySet> set;
        if (int rc = OpenPropertySet(handle->image->storage(), L"\005Image Info", &set)) return rc;
        const NIFPropSection* info = set->GetSection(nif::kImageInfoFormat);
        if (!info) return nif::Fail(NIF_BAD_FILE, "No image info section in NIFGetCameraInformation.");
        CopyText(*info, nif::kPidCameraMake, out->make, sizeof out->make);
        CopyText(*info, nif::kPidCameraModel, out->model, sizeof out->model);
        if (const NIFExtProperty* p = info->GetProperty(nif::kPidCaptureTime)) p->GetFileTime(&out->captureTime);
        if (const NIFExtProperty* p = info->GetProperty(nif::kPidExposureTime)) p->Get(&out->exposureTime);
        if (const NIFExtProperty* p = info->GetProperty(nif::kPidFNumber)) p->Get(&out->fNumber);
        if (const NIFExtProperty* p = info->GetProperty(nif::kPidFlash)) p->Get(&out->flash);
        return NIF_OK;
    });
}

int NIFReadRegion(NIFHandle* handle, long left, long top, long right, long bottom, int level,
                  const NIFDestination* destination, NIFProgressFunc progress) {
    return nif::Guarded("NIFReadRegion", [&]() -> int {
        nif::ClearLastError();
        if (int rc = CheckHandle(handle, "NIFReadRegion")) return rc;
        if (!destination) return MissingOutput("NIFReadRegion");
        if (level < 0 || level >= handle->image->levels())
            return nif::Fail(NIF_LEVEL_OUT_OF_RANGE, "Resolution level out of range in NIFReadRegion.");
        const int colour = destination->colorSpace == NIF_SPACE_MONOCHROME ? 1 : 3;
        bool complete = destination->channels == colour || destination->channels == colour + 1;
        for (int c = 0; complete && c < destination->channels; ++c) complete = destination->channel[c].start != nullptr;
        if (!complete) return MissingOutput("NIFReadRegion");
        NIFHandle::Read read(*handle);
        return handle->image->readRegion(left, top, right, bottom, level, *destination, progress);
    });
}

int NIFGetCacheStatistics(NIFHandle* handle, NIFCacheStatistics* out) {
    return nif::Guarded("NIFGetCacheStatistics", [&]() -> int {
        if (int rc = CheckHandle(handle, "NIFGetCacheStatistics")) return rc;
        if (!out) return MissingOutput("NIFGetCacheStatistics");
        const nif::TileCache& cache = handle->image->cache();
        *out = {cache.hits(), cache.misses(), static_cast<uint32_t>(cache.bytes())};
        return NIF_OK;
    });
}

int NIFCloseImage(NIFHandle* handle) {
    return nif::Guarded("NIFCloseImage", [&]() -> int {
        nif::ClearLastError();
        if (int rc = CheckHandle(handle, "NIFCloseImage")) return rc;
        handle->close();
        return NIF_OK;
    });
}
// Rows bottom-up, pixels blue, green, red: the picture's first row is the bitmap's last.
NIFDestination NIFDestinationForBitmap(uint8_t* bits, long height, long stride) {
    uint8_t* top = bits + (height - 1) * stride;
    NIFDestination d{};
    d.colorSpace = NIF_SPACE_RGB;
    d.channels = 3;
    d.channel[0] = {top + 2, 3, -stride};
    d.channel[1] = {top + 1, 3, -stride};
    d.channel[2] = {top + 0, 3, -stride};
    return d;
}

}

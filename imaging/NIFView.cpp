#include "NIFView.h"

#include "FpxIds.h"
#include "NIFError.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

constexpr uint32_t kMaxIndex = 999999;   // the six digits of the element names
constexpr uint32_t kMaxSearched = 64;     // data objects tried for a view whose output is not stored

std::wstring Numbered(const wchar_t* pattern, uint32_t n) {
    wchar_t name[64];
    std::swprintf(name, 64, pattern, n);
    return name;
}

uint32_t CountOf(const NIFPropSection& info, uint32_t id) {
    uint32_t n = 0;
    const NIFExtProperty* p = info.GetProperty(id);
    return p && p->Get(&n) && n <= kMaxIndex ? n : 0;
}

int OpenSet(NIFStorage& root, const std::wstring& name, std::unique_ptr<NIFPropertySet>* out) {
    NIFPropertySet* set = nullptr;
    int rc = root.OpenPropertySet(name.c_str(), &set);
    out->reset(set);
    return rc;
}

}  // namespace

int NIFView::Open(NIFStorage& root, std::unique_ptr<NIFView>* out) {
    std::unique_ptr<NIFView> view(new (std::nothrow) NIFView);
    if (!view) return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate view in NIFView::Open.");
    if (int rc = view->loadGlobalInfo(root)) return rc;
    if (int rc = view->loadTransform(root)) return rc;
    if (int rc = view->loadImage(root)) return rc;
    *out = std::move(view);
    return NIF_OK;
}

int NIFView::loadGlobalInfo(NIFStorage& root) {
    std::unique_ptr<NIFPropertySet> set;
    if (int rc = OpenSet(root, L"\005Global Info", &set)) return rc;
    const NIFPropSection* info = set->GetSection(nif::kGlobalInfoFormat);
    if (!info) return nif::Fail(NIF_BAD_FILE, "Wrong class id in NIFView::loadGlobalInfo.");
    imageCount_ = CountOf(*info, nif::kPidMaxImageIndex);
    if (imageCount_ == 0) return nif::Fail(NIF_BAD_FILE, "No image in NIFView::loadGlobalInfo.");
    const NIFExtProperty* visible = info->GetProperty(nif::kPidVisibleOutputs);
    const NIFExtProperty* first = visible ? visible->GetElement(0) : nullptr;
    uint32_t index = 0;
    if (first && first->Get(&index) && index >= 1 && index <= kMaxIndex) imageIndex_ = index;
    transformCount_ = CountOf(*info, nif::kPidMaxTransformIndex);
    operationCount_ = CountOf(*info, nif::kPidMaxOperationIndex);
    return NIF_OK;
}

// The first transform and its operation; decoding shows the image as stored.
int NIFView::loadTransform(NIFStorage& root) {
    if (transformCount_ == 0) return NIF_OK;
    if (int rc = OpenSet(root, Numbered(L"\005Transform %06u", 1), &transform_)) return rc;
    return operationCount_ ? OpenSet(root, Numbered(L"\005Operation %06u", 1), &operation_) : NIF_OK;
}

// The image the view shows is its visible output. A transform's result need not be stored (a
// reader applies the transform itself): the view then shows the first stored data object, the
// source image of its transforms.
int NIFView::loadImage(NIFStorage& root) {
    int rc = loadImageAt(root, imageIndex_);
    for (uint32_t index = 1; rc == NIF_STORAGE_FAILED && index <= std::min(imageCount_, kMaxSearched); ++index)
        if (index != imageIndex_) rc = loadImageAt(root, index);
    return rc;
}

int NIFView::loadImageAt(NIFStorage& root, uint32_t index) {
    NIFStorage* store = nullptr;
    if (int rc = root.OpenStorage(Numbered(L"Data Object Store %06u", index).c_str(), &store)) return rc;
    std::unique_ptr<NIFStorage> owned(store);
    CLSID clsid{};
    if (int rc = store->GetClassId(&clsid)) return rc;
    if (!IsEqualCLSID(clsid, nif::kImageClass)) return nif::Fail(NIF_BAD_FILE, "Wrong class id in NIFView::loadImage.");
    return NIFImage::Open(*store, &image_);
}

// Rendering the drag's formats into global memory, each at the moment the target asks for it.
#include "ImageFileDataSource.h"

#include "DragFormats.h"
#include "MounterMessages.h"
#include "MounterResources.h"

namespace {

constexpr DWORD kInDragLoopValue = 1;

}  // namespace

FORMATETC CImageFileDataSource::FormatOf(int offer) {
    CLIPFORMAT format = 0;
    switch (offer) {
    case kIdListArray: format = dragformat::ShellIdList(); break;
    case kFileList: format = CF_HDROP; break;
    case kInDragLoop: format = dragformat::InDragLoop(); break;
    case kFileName: format = dragformat::FileName(); break;
    case kFileNameW: format = dragformat::FileNameW(); break;
    default: break;
    }
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

int CImageFileDataSource::OfferOf(const FORMATETC* format) {
    for (int offer = 0; offer < kOfferCount; ++offer)
        if (FormatOf(offer).cfFormat == format->cfFormat) return offer;
    return -1;
}

size_t CImageFileDataSource::DeliveredCount(size_t scope) const {
    size_t count = 0;
    while (count < scope && count < m_items.size() && !m_items[count].path.empty()) ++count;
    return count;
}

HRESULT CImageFileDataSource::Render(int offer, HGLOBAL* block) {
    std::vector<BYTE> bytes;
    if (m_failed || !Block(offer, &bytes)) return E_FAIL;
    *block = dragformat::CopyToGlobal(bytes);
    if (*block) return S_OK;
    mounter::ShowMessage(m_window, IDS_OUT_OF_MEMORY);
    return E_OUTOFMEMORY;
}

// The names that reach the target are those of the items in the temporary area: the copy runs
// first, and an item that did not arrive ends the lists before it.
bool CImageFileDataSource::Block(int offer, std::vector<BYTE>* bytes) {
    if (offer == kInDragLoop) {
        const auto* value = reinterpret_cast<const BYTE*>(&kInDragLoopValue);
        bytes->assign(value, value + sizeof kInDragLoopValue);
        return true;
    }
    // Outside Windows NT no wide name exists to hand out.
    if (offer == kFileNameW && !m_wideNames) return false;
    bool firstOnly = offer == kFileName || offer == kFileNameW;
    size_t scope = firstOnly ? 1 : m_items.size();
    // A list that ends before its first item (the copy of the first failed) delivers nothing.
    if (!CopyOnDrop(scope) || DeliveredCount(scope) == 0) return false;
    *bytes = firstOnly ? FirstName(offer == kFileNameW) : ListBlock(offer);
    return true;
}

std::vector<BYTE> CImageFileDataSource::ListBlock(int offer) const {
    size_t delivered = DeliveredCount(m_items.size());
    if (offer == kIdListArray) {
        std::vector<LPCITEMIDLIST> ids;
        for (size_t i = 0; i < delivered; ++i) ids.push_back(m_items[i].areaId.get());
        return dragformat::MakeIdListArray(m_areaIdList.get(), ids);
    }
    std::vector<std::string> paths;
    for (size_t i = 0; i < delivered; ++i) paths.push_back(m_items[i].path);
    return dragformat::MakeFileList(paths, m_items.size(), m_wideNames);
}

std::vector<BYTE> CImageFileDataSource::FirstName(bool wide) const {
    std::string path = DeliveredCount(1) ? m_items[0].path : std::string();
    std::vector<BYTE> block(wide ? MAX_PATH * sizeof(WCHAR) : MAX_PATH);
    if (wide) {
        std::wstring name = dragformat::Widen(path);
        CopyMemory(block.data(), name.c_str(), name.size() * sizeof(WCHAR));
    } else {
        CopyMemory(block.data(), path.c_str(), path.size());
    }
    return block;
}

// Building a drag: the dragged items, their places in the temporary area and their identifiers there.
#include "ImageFileDataSource.h"

#include "DragFormats.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "TempArea.h"

namespace {

bool MakePlaceholder(const std::string& path, bool directory) {
    if (directory) return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void RemovePlaceholder(const std::string& path, bool directory) {
    if (directory) RemoveDirectoryA(path.c_str());
    else DeleteFileA(path.c_str());
}

// The identifier of name relative to the area folder. The shell parses only names that exist, so an
// empty placeholder stands in the item's place for that moment: a directory for an album, which
// arrives as one.
LPITEMIDLIST ParseInArea(IShellFolder* area, const std::string& directory, const std::string& name, bool isAlbum) {
    std::string path = directory + name;
    if (!MakePlaceholder(path, isAlbum)) return nullptr;
    std::wstring wide = dragformat::Widen(name);
    LPITEMIDLIST id = nullptr;
    HRESULT hr = area->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &id, nullptr);
    RemovePlaceholder(path, isAlbum);
    return SUCCEEDED(hr) ? id : nullptr;
}

// The name an item takes in the temporary area: pictures and other files keep theirs, an album
// becomes a directory named by its title; other items have none.
std::string LocalName(CMounterNameSpaceFolder* folder, DWORD type, const std::string& name) {
    if (type == MntAlbum) return folder->AlbumTitleOf(name);
    if (type == MntPictureFile || type == MntOtherFile) return name;
    return {};
}

}  // namespace

bool CImageFileDataSource::AddItems(UINT count, LPCITEMIDLIST* items) {
    char area[MAX_PATH];
    UINT length = GetTempAreaPath(sizeof area, area);
    if (length == 0 || length > MAX_PATH) {
        mounter::ShowMessage(m_window, IDS_TEMP_AREA_UNAVAILABLE);
        return false;
    }
    m_area = area;
    for (UINT i = 0; i < count; ++i)
        if (!AddItem(items[i])) return false;
    return !m_items.empty() && MakeAreaIds();
}

bool CImageFileDataSource::AddItem(LPCITEMIDLIST id) {
    const MounterItemId* record = itemid::FromIdList(id);
    if (!record) return false;
    std::string local = LocalName(m_folder, record->type, record->name);
    std::string path = local.empty() ? std::string() : m_area + local;
    if (path.size() >= MAX_PATH) {
        mounter::ShowMessage(m_window, IDS_TEMP_AREA_UNAVAILABLE);
        return false;
    }
    m_items.push_back(Item{nullptr, record->type, record->size, path, nullptr, false});
    m_items.back().id = itemid::Clone(id);
    return m_items.back().id != nullptr;
}

bool CImageFileDataSource::MakeAreaIds() {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return false;
    std::wstring area = dragformat::Widen(m_area);
    IShellFolder* areaFolder = nullptr;
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, area.data(), nullptr, &m_areaIdList, nullptr);
    if (SUCCEEDED(hr))
        hr = desktop->BindToObject(m_areaIdList, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&areaFolder));
    desktop->Release();
    if (FAILED(hr)) return false;
    bool made = true;
    for (size_t i = 0; made && i < DeliveredCount(m_items.size()); ++i) {
        Item& item = m_items[i];
        item.areaId = ParseInArea(areaFolder, m_area, item.path.substr(m_area.size()), item.type == MntAlbum);
        made = item.areaId != nullptr;
    }
    areaFolder->Release();
    return made;
}

// Building a drag: the dragged items, their places in the temporary area and their identifiers there.
#include "ImageFileDataSource.h"

#include "DragFormats.h"
#include "LocalNames.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "TempArea.h"
#include "UniqueHandle.h"

namespace {

bool MakePlaceholder(const std::string& path, bool directory) {
    if (directory) return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    pv::UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
}

void RemovePlaceholder(const std::string& path, bool directory) {
    if (directory) RemoveDirectoryA(path.c_str());
    else DeleteFileA(path.c_str());
}

// The identifier of name relative to the area folder. The shell parses only names that exist, so an
// empty placeholder stands in the item's place for that moment: a directory for an album, which
// arrives as one.
pv::TaskMemory<ITEMIDLIST> ParseInArea(IShellFolder* area, const std::string& directory, const std::string& name,
                                       bool isAlbum) {
    pv::TaskMemory<ITEMIDLIST> id;
    std::string path = directory + name;
    if (!MakePlaceholder(path, isAlbum)) return id;
    std::wstring wide = dragformat::Widen(name);
    HRESULT hr = area->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, id.put(), nullptr);
    RemovePlaceholder(path, isAlbum);
    if (FAILED(hr)) id.reset();
    return id;
}

// The name an item takes in the temporary area: pictures and other files keep theirs, made usable
// as a local name; an album becomes a directory named by its title; other items have none.
std::string LocalName(const CMounterNameSpaceFolder& folder, DWORD type, const std::string& name) {
    if (type == MntAlbum) return folder.LocalAlbumName(name);
    if (type == MntPictureFile || type == MntOtherFile) return SafeLocalName(name);
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
    std::string local = LocalName(*m_folder.get(), record->type, itemid::NameOf(id));
    std::string path = local.empty() ? std::string() : m_area + local;
    if (path.size() >= MAX_PATH) {
        mounter::ShowMessage(m_window, IDS_TEMP_AREA_UNAVAILABLE);
        return false;
    }
    Item item;
    item.id.reset(itemid::Clone(id));
    item.type = record->type;
    item.size = record->size;
    item.path = path;
    if (!item.id) return false;
    m_items.push_back(std::move(item));
    return true;
}

bool CImageFileDataSource::MakeAreaIds() {
    pv::ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return false;
    std::wstring area = dragformat::Widen(m_area);
    pv::ComPtr<IShellFolder> areaFolder;
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, area.data(), nullptr, m_areaIdList.put(), nullptr);
    if (SUCCEEDED(hr)) hr = desktop->BindToObject(m_areaIdList.get(), nullptr, IID_IShellFolder, areaFolder.putVoid());
    if (FAILED(hr)) return false;
    for (size_t i = 0; i < DeliveredCount(m_items.size()); ++i) {
        Item& item = m_items[i];
        item.areaId = ParseInArea(areaFolder.get(), m_area, item.path.substr(m_area.size()), item.type == MntAlbum);
        if (!item.areaId) return false;
    }
    return true;
}

// The shared shell operations of the folder objects: initialisation with the folder's identifier
// list, display and parsing names, and the comparison of items by column.
#include "MounterNameSpaceFolder.h"

#include "AlbumNameTable.h"
#include "CameraPaths.h"
#include "CommPortException.h"
#include "LocalNames.h"
#include "MounterGlobals.h"
#include "MounterResources.h"
#include "MounterMessages.h"
#include "TempArea.h"
#include "TextBuffer.h"

#include <mbstring.h>
#include <shellapi.h>

namespace {

constexpr const char* kParsingRoot = "ORVIK Camera:";

// The file title as the shell shows it, or the name itself when GetFileTitle refuses it.
std::string ShownTitleOf(const std::string& name) {
    std::string title = FileTitleOf(name);
    return title.empty() ? name : title;
}

HRESULT AnswerName(STRRET* name, const std::string& text) {
    name->uType = STRRET_CSTR;
    pvtext::copyCut(name->cStr, sizeof name->cStr, text.c_str());
    return S_OK;
}

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

}  // namespace

std::string ItemTypeText(LPCITEMIDLIST pidl) {
    switch (itemid::TypeOf(pidl)) {
    case MntCamera: return mounter::LoadText(IDS_TYPE_CAMERA);
    case MntCameraMemory: return mounter::LoadText(IDS_TYPE_CAMERA_MEMORY);
    case MntMemoryCard: return mounter::LoadText(IDS_TYPE_COMPACT_FLASH);
    case MntAlbum: return mounter::LoadText(IDS_TYPE_PHOTO_ALBUM);
    case MntPictureFile:
    case MntOtherFile: {
        SHFILEINFOA info = {};
        SHGetFileInfoA(itemid::NameOf(pidl).c_str(), 0, &info, sizeof info,
                       SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES);
        return info.szTypeName;
    }
    default: return {};
    }
}

// An album whose list holds no memory before it (a list of the album alone) lies on the card, as
// the items of every memory but the internal one do.
HRESULT CMounterNameSpaceFolder::PersistInitialize(LPCITEMIDLIST pidl) {
    m_idList.reset(itemid::Clone(pidl));
    if (!m_idList) return E_OUTOFMEMORY;
    LPCITEMIDLIST parent = nullptr, last = m_idList.get();
    for (LPCITEMIDLIST item = m_idList.get(); itemid::Next(item)->mkid.cb; item = itemid::Next(item)) {
        parent = item;
        last = itemid::Next(item);
    }
    m_folderKind = static_cast<LONG>(itemid::TypeOf(last));
    m_cameraPath.clear();
    if (m_folderKind == MntCameraMemory || m_folderKind == MntMemoryCard)
        m_cameraPath = mounter::MemoryPath(m_folderKind);
    else if (m_folderKind == MntAlbum)
        m_cameraPath = mounter::MemoryPath(itemid::TypeOf(parent)) + "\\" + itemid::NameOf(last);
    return S_OK;
}

std::string CMounterNameSpaceFolder::LocalAlbumName(const std::string& directory) const {
    std::string title =
        m_albumNames ? m_albumNames->LookupAlbumTitle(AlbumMemoryOfKind(m_folderKind), directory) : std::string();
    return IsUsableLocalName(title) ? title : SafeLocalName(directory);
}

std::string CMounterNameSpaceFolder::CameraPathOf(LPCITEMIDLIST item) const {
    return m_cameraPath + "\\" + itemid::NameOf(item);
}

std::string CMounterNameSpaceFolder::AlbumDisplayName(LPCITEMIDLIST pidl) {
    if (m_folderKind != MntCameraMemory && m_folderKind != MntMemoryCard) return {};
    if (!m_albumNames) {
        try {
            ConnectCamera(1, nullptr);
        } catch (const MounterException&) {
            // No camera: the directory name stands for the title.
        }
        CloseCamera();
    }
    std::string name = itemid::NameOf(pidl);
    if (m_albumNames) {
        std::string title = m_albumNames->LookupAlbumTitle(AlbumMemoryOfKind(m_folderKind), name);
        if (!title.empty()) return title;
    }
    return ShownTitleOf(name);
}

HRESULT CMounterNameSpaceFolder::NormalName(LPCITEMIDLIST pidl, STRRET* name) {
    switch (itemid::TypeOf(pidl)) {
    case MntCamera: return AnswerName(name, mounter::LoadText(IDS_NAME_CAMERA));
    case MntCameraMemory: return AnswerName(name, mounter::LoadText(IDS_NAME_CAMERA_MEMORY));
    case MntMemoryCard: return AnswerName(name, mounter::LoadText(IDS_NAME_MEMORY_CARD));
    case MntAlbum: return AnswerName(name, AlbumDisplayName(pidl));
    case MntPictureFile:
    case MntOtherFile: return AnswerName(name, ShownTitleOf(itemid::NameOf(pidl)));
    default: AnswerName(name, ""); return E_INVALIDARG;
    }
}

HRESULT CMounterNameSpaceFolder::ParsingName(LPCITEMIDLIST pidl, STRRET* name) {
    DWORD type = itemid::TypeOf(pidl);
    std::string item = itemid::NameOf(pidl);
    switch (type) {
    case MntCamera: return AnswerName(name, std::string(kParsingRoot) + "\\");
    case MntCameraMemory:
        return AnswerName(name, mounter::LoadText(IDS_NAME_CAMERA) + ":" + mounter::MemoryPath(MntCameraMemory));
    case MntMemoryCard: return AnswerName(name, kParsingRoot + mounter::CardPath());
    case MntAlbum: return AnswerName(name, kParsingRoot + m_cameraPath + "\\" + item);
    case MntPictureFile:
    case MntOtherFile:
        if (m_inFileDialog) {
            // Where the copy for the dialog lands.
            char area[MAX_PATH];
            UINT length = GetTempAreaPath(sizeof area, area);
            std::string path = length > 0 && length <= MAX_PATH ? area + SafeLocalName(item) : std::string();
            return AnswerName(name, path.size() < 261 ? path : std::string());
        }
        return AnswerName(name, kParsingRoot + m_cameraPath + "\\" + item);
    default: AnswerName(name, ""); return E_INVALIDARG;
    }
}

HRESULT CMounterNameSpaceFolder::GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF flags, STRRET* name) {
    if (!name) return E_INVALIDARG;
    switch (flags) {
    case SHGDN_NORMAL:
    case SHGDN_INFOLDER: return NormalName(pidl, name);
    case SHGDN_FORPARSING:
    case SHGDN_FORPARSING | SHGDN_INFOLDER: return ParsingName(pidl, name);
    default: return E_INVALIDARG;
    }
}

int CMounterNameSpaceFolder::CompareLevel(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b, int previous) {
    const MounterItemId* itemA = itemid::FromIdList(a);
    const MounterItemId* itemB = itemid::FromIdList(b);
    switch (column) {
    case 0: {
        STRRET nameA, nameB;
        if (FAILED(NormalName(a, &nameA)) || FAILED(NormalName(b, &nameB))) return previous;
        return Sign(lstrcmpA(nameA.cStr, nameB.cStr));
    }
    case 1:
        if (!itemA || !itemB) return 0;
        return itemB->size < itemA->size ? -1 : itemB->size > itemA->size ? 1 : 0;
    case 2:
        return Sign(_mbscmp(reinterpret_cast<const unsigned char*>(ItemTypeText(a).c_str()),
                            reinterpret_cast<const unsigned char*>(ItemTypeText(b).c_str())));
    case 3:
        if (!itemA || !itemB) return 0;
        return CompareFileTime(&itemA->time, &itemB->time);
    default: return 0;
    }
}

HRESULT CMounterNameSpaceFolder::CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a || !b) return E_INVALIDARG;
    column &= SHCIDS_COLUMNMASK;
    int result = 0;
    int previous = -1;
    while (a->mkid.cb && b->mkid.cb && result == 0) {
        result = CompareLevel(column, a, b, previous);
        previous = result;
        a = itemid::Next(a);
        b = itemid::Next(b);
    }
    if (result == 0 && (a->mkid.cb != 0) != (b->mkid.cb != 0)) result = a->mkid.cb == 0 ? -1 : 1;
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(static_cast<SHORT>(result)));
}

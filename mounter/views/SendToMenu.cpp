#include "SendToMenu.h"

#include "ComPtr.h"
#include "TaskMemory.h"
#include "UniqueHandle.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string>

namespace {

constexpr int kTextIndent = 20;
constexpr int kMinimumHeight = 20;
constexpr WORD kExeTypeNE = 0x454E;
constexpr WORD kExeTypePE = 0x4550;
constexpr int kMaxEntries = 1000;   // a Send To folder bigger than that is cut short

std::string SendToFolder() {
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_SENDTO, &pidl))) return "";
    pv::TaskMemory<ITEMIDLIST> owned(pidl);
    char path[MAX_PATH] = "";
    return SHGetPathFromIDListA(owned.get(), path) ? path : "";
}

// The target path of a shortcut file; "" when it is none or does not resolve.
std::string ResolveShortcut(HWND owner, const std::string& file) {
    pv::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid())))
        return "";
    pv::ComPtr<IPersistFile> persist = link.as<IPersistFile>();
    std::wstring wide(MAX_PATH, L'\0');
    if (!persist || !MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide.data(), MAX_PATH) ||
        FAILED(persist->Load(wide.c_str(), STGM_READ)) || FAILED(link->Resolve(owner, SLR_NO_UI)))
        return "";
    char target[MAX_PATH] = "";
    WIN32_FIND_DATAA data = {};
    if (FAILED(link->GetPath(target, sizeof target, &data, 0))) return "";
    return target;
}

// Type, name and icon of the entry of a shortcut whose target is known.
void DescribeEntry(const std::string& file, CSendToItem* entry) {
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) entry->name = info.szDisplayName;
    SHFILEINFOA target = {};
    if (SHGetFileInfoA(entry->target.c_str(), 0, &target, sizeof target,
                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES)) {
        entry->icon.reset(target.hIcon);
        if (target.dwAttributes & SFGAO_FOLDER) {
            entry->type = CSendToItem::kFolderTarget;
            return;
        }
    }
    WORD exeType = LOWORD(SHGetFileInfoA(entry->target.c_str(), 0, &target, sizeof target, SHGFI_EXETYPE));
    if (exeType == kExeTypeNE || exeType == kExeTypePE) entry->type = CSendToItem::kProgramTarget;
}

}  // namespace

CSendToMenu::CSendToMenu(HMENU popup) : m_popup(popup) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_font.reset(CreateFontIndirectA(&metrics.lfMenuFont));
}

void CSendToMenu::Build(HWND owner, CSendToItemMap* map) {
    map->clear();
    while (GetMenuItemCount(m_popup) > 0) DeleteMenu(m_popup, 0, MF_BYPOSITION);
    std::string folder = SendToFolder();
    if (folder.empty()) return;
    if (folder.back() != '\\') folder += '\\';
    WIN32_FIND_DATAA found = {};
    pv::UniqueFind search(FindFirstFileA((folder + "*.*").c_str(), &found));
    if (!search) return;
    int seen = 0;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        std::string file = folder + found.cFileName;
        auto entry = std::make_unique<CSendToItem>();
        entry->target = ResolveShortcut(owner, file);
        if (entry->target.empty()) continue;
        DescribeEntry(file, entry.get());
        if (entry->type != CSendToItem::kFolderTarget && entry->type != CSendToItem::kProgramTarget) continue;
        UINT command = kFirstSendToCommand + static_cast<UINT>(map->size());
        Insert(command, *entry, *map);
        map->emplace(command, std::move(entry));
    } while (++seen < kMaxEntries && FindNextFileA(search.get(), &found));
}

// Before the first entry whose name is greater, ignoring case, or at the end.
void CSendToMenu::Insert(UINT command, const CSendToItem& entry, const CSendToItemMap& map) {
    int position = 0, count = GetMenuItemCount(m_popup);
    for (; position < count; ++position) {
        auto other = map.find(GetMenuItemID(m_popup, position));
        if (other != map.end() && lstrcmpiA(other->second->name.c_str(), entry.name.c_str()) > 0) break;
    }
    InsertMenuA(m_popup, position, MF_BYPOSITION | MF_OWNERDRAW, command, reinterpret_cast<LPCSTR>(&entry));
}

void CSendToMenu::Measure(MEASUREITEMSTRUCT* measure, const CSendToItem& entry) const {
    pv::WindowDC dc(nullptr);
    pv::SelectedObject font(dc.get(), m_font.get());
    SIZE extent = {};
    GetTextExtentPoint32A(dc.get(), entry.name.c_str(), static_cast<int>(entry.name.size()), &extent);
    measure->itemWidth = static_cast<UINT>(extent.cx + kTextIndent);
    measure->itemHeight = static_cast<UINT>(extent.cy > kMinimumHeight ? extent.cy : kMinimumHeight);
}

void CSendToMenu::Draw(const DRAWITEMSTRUCT& draw, const CSendToItem& entry) const {
    bool selected = draw.itemState & ODS_SELECTED;
    HDC dc = draw.hDC;
    pv::SelectedObject font(dc, m_font.get());
    COLORREF oldText = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const RECT& box = draw.rcItem;
    SIZE extent = {};
    GetTextExtentPoint32A(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &extent);
    int textTop = box.top + (box.bottom - box.top - extent.cy) / 2;
    ExtTextOutA(dc, box.left + kTextIndent, textTop, ETO_OPAQUE, &box, entry.name.c_str(),
                static_cast<UINT>(entry.name.size()), nullptr);
    int checkWidth = GetSystemMetrics(SM_CXMENUCHECK), checkHeight = GetSystemMetrics(SM_CYMENUCHECK);
    int iconLeft = box.left + (checkWidth > 16 ? (checkWidth - 16) / 2 : 0);
    int iconTop = box.top + (box.bottom - box.top - (checkHeight > 16 ? 16 : checkHeight)) / 2;
    if (entry.icon) DrawIconEx(dc, iconLeft, iconTop, entry.icon.get(), 16, 16, 0, nullptr, DI_NORMAL);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

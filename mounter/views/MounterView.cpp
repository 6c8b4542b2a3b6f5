#include "MounterView.h"

#include "ItemOrder.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterShellView.h"
#include "UserObject.h"
#include "ViewResources.h"
#include "ViewTexts.h"

#include <shellapi.h>

namespace {

constexpr DWORD kListWindowStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_SHAREIMAGELISTS;
constexpr int kInitialImages = 2;
constexpr int kImageGrowth = 2;

struct Column {
    UINT title;
    int format;
    int width;
};
constexpr Column kColumns[] = {{IDS_COLUMN_NAME, LVCFMT_LEFT, 140},
                               {IDS_COLUMN_SIZE, LVCFMT_RIGHT, 70},
                               {IDS_COLUMN_TYPE, LVCFMT_LEFT, 140},
                               {IDS_COLUMN_TAKEN_ON, LVCFMT_LEFT, 140}};

void SetSubItemText(HWND list, int item, int column, const std::string& text) {
    LVITEMA entry = {};
    entry.iSubItem = column;
    entry.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&entry));
}

// The shell's icon of a file name with the given attributes, large or small.
pv::UniqueIcon FileTypeIcon(const std::string& name, DWORD attributes, UINT size) {
    SHFILEINFOA info = {};
    SHGetFileInfoA(name.c_str(), attributes, &info, sizeof info, SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | size);
    return pv::UniqueIcon(info.hIcon);
}

}  // namespace

CMounterView::CMounterView(CMounterShellView* shellView, CWrapper* container, bool offersThumbnails, bool dragsItems)
    : CMounterViewSupport(shellView, container, offersThumbnails), m_dragsItems(dragsItems) {}

// The control goes before the image lists it shows.
CMounterView::~CMounterView() { m_window.Destroy(); }

bool CMounterView::CreateWindowIn(DWORD listStyle) {
    RECT rect = m_container->ClientRect();
    if (!m_window.CreateControl(WC_LISTVIEWA, kListWindowStyle | listStyle, {m_container->Window(), rect, kChildId},
                                this))
        return false;
    if (!MakeImageLists()) return false;
    InsertColumns();
    return true;
}

bool CMounterView::MakeImageLists() {
    m_largeImages.reset(ImageList_Create(32, 32, ILC_MASK | ILC_COLOR32, kInitialImages, kImageGrowth));
    m_smallImages.reset(ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, kInitialImages, kImageGrowth));
    if (!m_largeImages || !m_smallImages) return false;
    SendMessageA(Window(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_largeImages.get()));
    SendMessageA(Window(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_smallImages.get()));
    AddDefaultImages();
    m_defaultImageCount = ImageList_GetImageCount(m_smallImages.get());
    return true;
}

void CMounterView::InsertColumns() {
    const MounterViewState& state = m_shellView->State();
    for (int i = 0; i < 4; ++i) {
        std::string title = mounter::LoadText(kColumns[i].title);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = state.columnWidths[i] != -1 ? state.columnWidths[i] : kColumns[i].width;
        column.pszText = const_cast<char*>(title.c_str());
        column.iSubItem = i;
        SendMessageA(Window(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

int CMounterView::AddIcons(pv::UniqueIcon large, pv::UniqueIcon small) {
    if (!large || !small) return -1;
    int index = ImageList_AddIcon(m_largeImages.get(), large.get());
    if (index < 0) return -1;
    if (ImageList_AddIcon(m_smallImages.get(), small.get()) != index) {
        ImageList_Remove(m_largeImages.get(), index);
        return -1;
    }
    return index;
}

int CMounterView::AddResourceIcon(UINT id) {
    auto load = [id](int size) {
        return pv::UniqueIcon(static_cast<HICON>(
            LoadImageA(mounter::ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
    return AddIcons(load(32), load(16));
}

int CMounterView::AddFileTypeIcon(const std::string& name, DWORD attributes) {
    return AddIcons(FileTypeIcon(name, attributes, SHGFI_LARGEICON), FileTypeIcon(name, attributes, SHGFI_SMALLICON));
}

void CMounterView::Clear() {
    if (ItemCount() > 0) SendMessageA(Window(), LVM_DELETEALLITEMS, 0, 0);
    m_itemData.clear();
    m_rememberedData = nullptr;
    m_rememberedItem = -1;
    // The items' own icons go with them; the default images stay.
    for (int i = ImageList_GetImageCount(m_smallImages.get()) - 1; i >= m_defaultImageCount; --i) {
        ImageList_Remove(m_smallImages.get(), i);
        ImageList_Remove(m_largeImages.get(), i);
    }
}

HRESULT CMounterView::AddItem(LPCITEMIDLIST item, const std::string& name) {
    const MounterItemId* id = itemid::FromIdList(item);
    ItemCopy copy = CopyItem(item);
    if (!id || !copy) return E_OUTOFMEMORY;
    int image = AddFileTypeIcon(itemid::NameOf(item), id->attributes);
    if (image < 0) image = DefaultImage(id->type);
    LVITEMA entry = {};
    entry.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    entry.iItem = ItemCount();
    entry.pszText = const_cast<char*>(name.c_str());
    entry.iImage = image;
    entry.lParam = reinterpret_cast<LPARAM>(copy.get());
    int index = static_cast<int>(SendMessageA(Window(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
    if (index < 0) return E_OUTOFMEMORY;
    m_itemData.push_back(std::move(copy));
    SetSubItemText(Window(), index, 1, id->attributes & FILE_ATTRIBUTE_DIRECTORY ? "" : viewtext::ItemSizeText(id->size));
    SetSubItemText(Window(), index, 2, ItemTypeText(item));
    SetSubItemText(Window(), index, 3, viewtext::ItemDateText(id->time));
    return S_OK;
}

int CMounterView::ItemCount() const { return Window() ? static_cast<int>(SendMessageA(Window(), LVM_GETITEMCOUNT, 0, 0)) : 0; }

LPCITEMIDLIST CMounterView::ItemAt(int index) const {
    LVITEMA entry = {};
    entry.mask = LVIF_PARAM;
    entry.iItem = index;
    if (!SendMessageA(Window(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) return nullptr;
    return reinterpret_cast<LPCITEMIDLIST>(entry.lParam);
}

void CMounterView::SetItemSelected(int index, bool selected) {
    LVITEMA entry = {};
    entry.stateMask = LVIS_SELECTED;
    entry.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(Window(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&entry));
}

void CMounterView::SelectAll() {
    for (int i = 0; i < ItemCount(); ++i) SetItemSelected(i, true);
}

void CMounterView::InvertSelection() {
    for (int i = 0; i < ItemCount(); ++i)
        SetItemSelected(i, !(SendMessageA(Window(), LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED));
}

std::vector<LPCITEMIDLIST> CMounterView::SelectedItems() const {
    std::vector<LPCITEMIDLIST> selected;
    int count = static_cast<int>(SendMessageA(Window(), LVM_GETSELECTEDCOUNT, 0, 0));
    for (int i = -1; static_cast<int>(selected.size()) < count;) {
        i = static_cast<int>(SendMessageA(Window(), LVM_GETNEXTITEM, i, LVNI_SELECTED));
        if (i < 0) break;
        if (LPCITEMIDLIST item = ItemAt(i)) selected.push_back(item);
    }
    return selected;
}

UINT CMounterView::ShownItemCount() const { return static_cast<UINT>(ItemCount()); }

ULONGLONG CMounterView::ShownItemBytes() const {
    ULONGLONG bytes = 0;
    for (const ItemCopy& item : m_itemData)
        if (const MounterItemId* id = itemid::FromIdList(item.get())) bytes += id->size;
    return bytes;
}

void CMounterView::SortItems(DWORD column, DWORD ascending) {
    SortParameters sort = {m_shellView->Folder()->ShellFolder(), column, ascending};
    SendMessageA(Window(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&sort), reinterpret_cast<LPARAM>(CompareListItems));
}

LPCITEMIDLIST CMounterView::RememberedItem() const { return m_rememberedItem >= 0 ? m_rememberedData : nullptr; }

bool CMounterView::OnViewCommand(UINT command) {
    if (command != ID_LINE_UP_ICONS) return false;
    SendMessageA(Window(), LVM_ARRANGE, LVA_DEFAULT, 0);
    return true;
}

bool CMounterView::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // The right click has shown its menu already (NM_RCLICK).
    if (message == WM_CONTEXTMENU) return true;
    return CMounterViewSupport::OnMessage(window, message, wParam, lParam, result);
}

bool CMounterView::OnContainerMessage(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY) return false;
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    *result = 0;
    switch (header->code) {
    case LVN_COLUMNCLICK:
        Guarded([&] { m_shellView->SortByColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem); });
        return true;
    case LVN_ITEMCHANGED: OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam)); return true;
    case NM_DBLCLK: OpenRememberedItem(); return true;
    case NM_RCLICK: OnRightClick(); return true;
    case LVN_BEGINDRAG: OnBeginDrag(); return true;
    default: return false;
    }
}

void CMounterView::OnItemChanged(const NMLISTVIEW& change) {
    if (!(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
    bool was = change.uOldState & LVIS_SELECTED, is = change.uNewState & LVIS_SELECTED;
    if (was == is) return;
    if (is) {
        m_rememberedItem = change.iItem;
        m_rememberedData = reinterpret_cast<LPCITEMIDLIST>(change.lParam);
    } else {
        m_rememberedItem = -1;
    }
    SelectionChanged();
}

void CMounterView::OnRightClick() {
    DWORD position = GetMessagePos();
    ShowContextMenuFor(RememberedItem(), POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))});
}

void CMounterView::OnBeginDrag() {
    if (!m_dragsItems) return;
    std::vector<LPCITEMIDLIST> items = SelectedItems();
    Guarded([&] { m_shellView->DragItems(Window(), items); });
}

#include "ViewFixture.h"

#include <commctrl.h>

namespace viewtest {

namespace {

struct ChildSearch {
    const char* className;
    HWND found = nullptr;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindViewChild(HWND frame, const char* className) {
    ChildSearch search{className};
    EnumChildWindows(frame, FindByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ContainerOf(HWND frame) { return FindViewChild(frame, "PV360_Mounter_View"); }
HWND ListOf(HWND frame) {
    HWND container = ContainerOf(frame);
    return container ? FindViewChild(container, WC_LISTVIEWA) : nullptr;
}
HWND ThumbnailsOf(HWND frame) { return FindViewChild(frame, "PV360_Mounter_Thumb_View"); }

int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListText(HWND list, int item, int column) {
    char text[260] = "";
    LVITEMA entry = {};
    entry.iSubItem = column;
    entry.pszText = text;
    entry.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&entry));
    return text;
}

std::vector<std::string> ListColumn(HWND list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < ListCount(list); ++i) texts.push_back(ListText(list, i, column));
    return texts;
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int i = 0; i < ListCount(list); ++i)
        if (SendMessageA(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED) rows.push_back(i);
    return rows;
}

void SelectRow(HWND list, int row, bool selected) {
    LVITEMA entry = {};
    entry.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    entry.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&entry));
}

void ShellViewTest::SetUp() {
    MounterCameraTest::SetUp();
    BindCameraFolder(camera.put(), &cameraPidl);
    ASSERT_TRUE(camera);
}

void ShellViewTest::TearDown() {
    if (view) CloseView();
    browsers.clear();
    album.reset();
    card.reset();
    camera.reset();
    MounterCameraTest::TearDown();
}

IShellFolder* ShellViewTest::CardFolder() {
    if (card) return card.get();
    cardItem = FindChild(camera.get(), "Memory Card", kAllItems);
    if (cardItem) camera->BindToObject(cardItem.get(), nullptr, IID_IShellFolder, card.putVoid());
    return card.get();
}

IShellFolder* ShellViewTest::AlbumFolder(const std::string& directory) {
    if (album) return album.get();
    for (Pidl& item : Enumerate(CardFolder(), SHCONTF_FOLDERS))
        if (itemid::NameOf(item.get()) == directory) albumItem = std::move(item);
    if (albumItem) card->BindToObject(albumItem.get(), nullptr, IID_IShellFolder, album.putVoid());
    return album.get();
}

TestBrowser& ShellViewTest::NewBrowser(TestBrowser::Options options) {
    browsers.push_back(std::make_unique<TestBrowser>(options));
    return *browsers.back();
}

HRESULT ShellViewTest::OpenView(IShellFolder* folder, TestBrowser& browser, FOLDERSETTINGS settings) {
    view.reset();
    HRESULT hr = folder->CreateViewObject(browser.Frame(), IID_IShellView, view.putVoid());
    if (FAILED(hr)) return hr;
    RECT rect = browser.ViewRect();
    HWND window = nullptr;
    hr = view->CreateViewWindow(nullptr, &settings, &browser, &rect, &window);
    if (FAILED(hr)) view.reset();
    return hr;
}

HRESULT ShellViewTest::CloseView() {
    HRESULT hr = view ? view->DestroyViewWindow() : E_UNEXPECTED;
    view.reset();
    return hr;
}

void ShellViewTest::Command(TestBrowser& browser, UINT command) {
    HWND target = browser.ActiveObject();
    if (!target) {
        HWND frame = browser.Frame();
        target = ThumbnailsOf(frame) && IsWindowVisible(ThumbnailsOf(frame)) ? ThumbnailsOf(frame) : ListOf(frame);
    }
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace viewtest

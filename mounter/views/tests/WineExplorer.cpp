#include "WineExplorer.h"

#include "TestBrowser.h"

#include <commctrl.h>

#include <cstring>

namespace viewtest {

namespace {

constexpr DWORD kStartMs = 20000;
constexpr DWORD kCloseMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kTreeMs = 10000;
constexpr SIZE_T kRemoteBytes = 4096;

// A block of memory in another process, for controls whose messages carry pointers.
class RemoteBlock {
public:
    explicit RemoteBlock(HANDLE process)
        : m_process(process), m_address(VirtualAllocEx(process, nullptr, kRemoteBytes, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    BYTE* Address() const { return static_cast<BYTE*>(m_address); }
    bool Write(const void* bytes, SIZE_T size, SIZE_T offset = 0) const {
        return m_address && offset + size <= kRemoteBytes &&
               WriteProcessMemory(m_process, Address() + offset, bytes, size, nullptr);
    }
    bool Read(void* bytes, SIZE_T size, SIZE_T offset = 0) const {
        return m_address && offset + size <= kRemoteBytes &&
               ReadProcessMemory(m_process, Address() + offset, bytes, size, nullptr);
    }

private:
    HANDLE m_process;
    void* m_address;
};

struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found = nullptr;
};

bool HasClass(HWND window, const char* className) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !HasClass(window, search->className) || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindVisibleChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (!HasClass(window, search->className) || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// Lets the test's own windows work while it waits for the explorer.
void Wait() { PumpMessages(kPollMs); }

}  // namespace

WineExplorer::WineExplorer() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    char command[] = "explorer.exe";
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) return;
    m_process.reset(started.hProcess);
    pv::UniqueHandle thread(started.hThread);
    m_processId = started.dwProcessId;
    for (DWORD waited = 0; waited < kStartMs && !m_window; waited += kPollMs) {
        WindowSearch search{m_processId, "ExplorerWClass"};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        m_window = search.found;
        if (!m_window) Wait();
    }
}

WineExplorer::~WineExplorer() {
    if (!m_process) return;
    if (m_window) PostMessageA(m_window, WM_CLOSE, 0, 0);
    for (DWORD waited = 0; waited < kCloseMs; waited += kPollMs)
        if (WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0) return;
        else Wait();
    TerminateProcess(m_process.get(), 1);
    WaitForSingleObject(m_process.get(), kCloseMs);
}

bool WineExplorer::Navigate(const std::wstring& path) {
    HWND combo = WaitForChild(WC_COMBOBOXEXA, kStartMs);
    HWND edit = combo ? reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0)) : nullptr;
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001) != FALSE;
}

HWND WineExplorer::WaitForChild(const char* className, DWORD ms) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        WindowSearch search{m_processId, className};
        if (m_window) EnumChildWindows(m_window, FindVisibleChild, reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= ms) return search.found;
        Wait();
    }
}

HWND WineExplorer::WaitForListItem(const std::string& text, DWORD ms) const {
    for (DWORD waited = 0;; waited += kPollMs) {
        HWND container = WaitForChild("PV360_Mounter_View", 0);
        WindowSearch search{m_processId, WC_LISTVIEWA};
        if (container) EnumChildWindows(container, FindVisibleChild, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            for (const std::string& name : ListColumn(search.found, 0))
                if (name == text) return search.found;
        if (waited >= ms) return nullptr;
        Wait();
    }
}

std::vector<std::string> WineExplorer::ListColumn(HWND list, int column) const {
    std::vector<std::string> texts;
    RemoteBlock remote(m_process.get());
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMA entry = {};
        entry.iSubItem = column;
        entry.pszText = reinterpret_cast<LPSTR>(remote.Address() + sizeof entry);
        entry.cchTextMax = 260;
        char text[261] = "";
        if (!remote.Write(&entry, sizeof entry) ||
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote.Address())) < 0 ||
            !remote.Read(text, 260, sizeof entry))
            text[0] = 0;
        texts.emplace_back(text, strnlen(text, 260));
    }
    return texts;
}

RECT WineExplorer::ListItemRect(HWND list, int item) const {
    RemoteBlock remote(m_process.get());
    RECT rect = {LVIR_BOUNDS, 0, 0, 0};
    if (!remote.Write(&rect, sizeof rect) ||
        !SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(remote.Address())) ||
        !remote.Read(&rect, sizeof rect))
        return {};
    return rect;
}

void WineExplorer::DoubleClickListItem(HWND list, int item) const {
    RECT rect = ListItemRect(list, item);
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(list, WM_LBUTTONUP, 0, point);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageA(list, WM_LBUTTONUP, 0, point);
}

std::string WineExplorer::TreeText(HWND tree, HTREEITEM item) const {
    RemoteBlock remote(m_process.get());
    TVITEMA entry = {};
    entry.mask = TVIF_TEXT | TVIF_HANDLE;
    entry.hItem = item;
    entry.pszText = reinterpret_cast<LPSTR>(remote.Address() + sizeof entry);
    entry.cchTextMax = 260;
    char text[261] = "";
    if (!remote.Write(&entry, sizeof entry) ||
        !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Address())) ||
        !remote.Read(text, 260, sizeof entry))
        return "";
    return std::string(text, strnlen(text, 260));
}

HTREEITEM WineExplorer::FindTreeChild(HWND tree, HTREEITEM parent, const std::string& text) const {
    constexpr int kMaxSiblings = 1000;
    auto first = parent ? TVGN_CHILD : TVGN_ROOT;
    auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, first, reinterpret_cast<LPARAM>(parent)));
    for (int n = 0; item && n < kMaxSiblings; ++n) {
        if (TreeText(tree, item) == text) return item;
        item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return nullptr;
}

HTREEITEM WineExplorer::WaitForTreeChild(HWND tree, HTREEITEM parent, const std::string& text) const {
    // The explorer fills an expanded node as it enumerates the folder, which may take a while for
    // the camera's folders.
    for (DWORD waited = 0;; waited += kPollMs) {
        if (parent) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        if (HTREEITEM node = FindTreeChild(tree, parent, text)) return node;
        if (waited >= kTreeMs) return nullptr;
        Wait();
    }
}

bool WineExplorer::SelectTreePath(const std::vector<std::string>& texts) const {
    HWND tree = WaitForChild(WC_TREEVIEWA, kTreeMs);
    if (!tree) return false;
    HTREEITEM node = nullptr;
    for (const std::string& text : texts) {
        node = WaitForTreeChild(tree, node, text);
        if (!node) return false;
    }
    return SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node)) != 0;
}

}  // namespace viewtest

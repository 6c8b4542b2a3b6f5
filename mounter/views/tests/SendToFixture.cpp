#include "SendToFixture.h"

#include "ComPtr.h"
#include "SendToItem.h"
#include "Screenshot.h"
#include "TempArea.h"
#include "TransferSupport.h"

#include <shlobj.h>

namespace viewtest {

namespace {

constexpr int kPollLimit = 250;
constexpr DWORD kPollMs = 20;
constexpr int kPictureSendToPosition = 2;

std::string ProgramDirectory() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string SendToFolder() {
    char path[MAX_PATH] = "";
    return SHGetSpecialFolderPathA(nullptr, path, CSIDL_SENDTO, TRUE) ? std::string(path) + "\\" : "";
}

BOOL CALLBACK NoteMenuWindow(HWND window, LPARAM list) {
    char name[16] = "";
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32768") == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleMenuWindows() {
    std::vector<HWND> windows;
    EnumWindows(NoteMenuWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND AwaitMenuWindow() {
    for (int poll = 0; poll < kPollLimit; ++poll) {
        std::vector<HWND> windows = VisibleMenuWindows();
        if (!windows.empty()) return windows.front();
        Sleep(kPollMs);
    }
    return nullptr;
}

void Key(HWND window, WPARAM key) { PostMessageA(window, WM_KEYDOWN, key, 0); }

std::vector<SendToEntry> EntriesOf(HMENU menu) {
    std::vector<SendToEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        SendToEntry entry;
        entry.id = info.wID;
        entry.ownerDrawn = info.fType & MFT_OWNERDRAW;
        // Owner-drawn entries carry the Mounter's own record of the entry, in this process.
        if (entry.ownerDrawn && info.dwItemData) {
            const auto* item = reinterpret_cast<const CSendToItem*>(info.dwItemData);
            entry.name = item->name;
            entry.type = item->type;
        }
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace

std::string RecorderPath() { return ProgramDirectory() + "pv_arg_recorder.exe"; }
std::string RecorderRecord() { return RecorderPath() + ".txt"; }

std::string AwaitRecordedCommandLine() {
    for (int poll = 0; poll < 1000; ++poll) {
        if (transfertest::Exists(RecorderRecord())) {
            std::string line = ReadLocalFile(RecorderRecord());
            DeleteFileA(RecorderRecord().c_str());
            return line;
        }
        PumpMessages(kPollMs);
    }
    return "";
}

SendToShortcuts::~SendToShortcuts() {
    for (const std::string& file : m_files) DeleteFileA(file.c_str());
}

bool SendToShortcuts::Add(const std::string& name, const std::string& target) {
    std::string folder = SendToFolder();
    pv::ComPtr<IShellLinkA> link;
    if (folder.empty() || FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                  link.putVoid())))
        return false;
    pv::ComPtr<IPersistFile> file = link.as<IPersistFile>();
    std::string path = folder + name + ".lnk";
    std::wstring wide(path.begin(), path.end());
    if (!file || FAILED(link->SetPath(target.c_str())) || FAILED(file->Save(wide.c_str(), TRUE))) return false;
    m_files.push_back(path);
    return true;
}

SendToMenuDriver::SendToMenuDriver(std::string choice, std::string screenshot, std::function<void()> beforeChoice)
    : m_choice(std::move(choice)), m_screenshot(std::move(screenshot)), m_beforeChoice(std::move(beforeChoice)),
      m_thread([this] { Drive(); }) {}

void SendToMenuDriver::Drive() {
    HWND top = AwaitMenuWindow();
    if (!top) return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(top, MN_GETHMENU, 0, 0));
    HMENU submenu = GetSubMenu(menu, kPictureSendToPosition);
    m_entries = EntriesOf(submenu);
    Key(top, VK_DOWN);
    Key(top, VK_DOWN);
    Key(top, VK_RIGHT);
    HWND shown = nullptr;
    for (int poll = 0; poll < kPollLimit && !shown; ++poll) {
        for (HWND window : VisibleMenuWindows())
            if (reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) == submenu) shown = window;
        if (!shown) Sleep(kPollMs);
    }
    m_submenuShown = shown != nullptr;
    if (shown && !m_screenshot.empty()) dialogtest::SaveScreenshot(shown, m_screenshot);
    if (m_beforeChoice) m_beforeChoice();
    size_t chosen = 0;
    while (chosen < m_entries.size() && (m_choice.empty() || m_entries[chosen].name.rfind(m_choice, 0) != 0)) ++chosen;
    if (!shown || chosen == m_entries.size()) {
        Key(top, VK_ESCAPE);
        Key(top, VK_ESCAPE);
        return;
    }
    for (size_t i = 0; i < chosen; ++i) Key(shown, VK_DOWN);
    Key(shown, VK_RETURN);
}

void SendToTest::SetUp() {
    ThumbViewTest::SetUp();
    EmptyTempArea();
    area = transfertest::TempAreaPath();
    targetFolder = "C:\\pvtest-sendto\\";
    CreateDirectoryA(targetFolder.c_str(), nullptr);
    for (const std::string& name : transfertest::FilesIn(targetFolder)) DeleteFileA((targetFolder + name).c_str());
    DeleteFileA(RecorderRecord().c_str());
}

void SendToTest::TearDown() {
    for (const std::string& name : transfertest::FilesIn(targetFolder)) DeleteFileA((targetFolder + name).c_str());
    RemoveDirectoryA(targetFolder.c_str());
    ThumbViewTest::TearDown();
}

void SendToTest::RightClickCell(int n) {
    POINT point = ToClient(PictureMiddle(n));
    SendMessageA(thumbs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(thumbs, WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void SendToTest::DoubleClickCell(int n) {
    ClickCell(n);
    POINT middle = ToClient(PictureMiddle(n));
    SendMessageA(thumbs, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
}

void SendToTest::MenuKey() { SendMessageA(thumbs, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(thumbs), -1); }

bool SendToTest::SameAsCard(const std::string& picture, const std::string& local) const {
    std::string bytes = CardFile("PCCARD/DCIMAGES/" + picture);
    return !bytes.empty() && bytes == ReadLocalFile(local);
}

}  // namespace viewtest

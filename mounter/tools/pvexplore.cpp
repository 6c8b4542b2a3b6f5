// pvexplore: the camera's memory card in the shell's own explorer browser (the window Wine's
// explorer shows), switched to thumbnails, saved as a screenshot.
//   pvexplore FILE.png
// The Mounter must be registered (an installed product). The explorer browser is hosted in a
// window of this program and sent to the card with BrowseToIDList, as the explorer does after
// navigating; the view's own View > Thumbnails command switches the mode. Exit code 0 when at
// least one thumbnail was drawn; the output says how many of the first row's cells show one.
#include "ComPtr.h"
#include "Screenshot.h"
#include "TaskMemory.h"
#include "ThumbnailLayout.h"
#include "UniqueWindow.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kJunction[] =
    L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{A84C0500-B187-11D0-8AE7-00C04FD28D85}";
constexpr UINT kThumbnailsCommand = 1032;
constexpr DWORD kFillLimitMs = 30000;
constexpr int kCells = 5;

void Pump(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

struct ChildSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, search->className) != 0) return TRUE;
    search->found = child;
    return FALSE;
}

HWND FindDescendant(HWND parent, const char* className) {
    ChildSearch search{className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The memory card: the camera folder's child of item type 2 (the Mounter's identifier layout).
pv::TaskMemory<ITEMIDLIST> MemoryCard() {
    pv::ComPtr<IShellFolder> desktop, camera;
    pv::TaskMemory<ITEMIDLIST> junction, item;
    if (FAILED(SHGetDesktopFolder(desktop.put())) ||
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(kJunction), nullptr, junction.put(),
                                         nullptr)) ||
        FAILED(desktop->BindToObject(junction.get(), nullptr, IID_IShellFolder, camera.putVoid())))
        return {};
    pv::ComPtr<IEnumIDList> items;
    if (camera->EnumObjects(nullptr, SHCONTF_FOLDERS, items.put()) != S_OK || !items) return {};
    ULONG fetched = 0;
    for (int n = 0; n < 16 && items->Next(1, item.put(), &fetched) == S_OK && fetched == 1; ++n) {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(item.get());
        if (item->mkid.cb > 22 && *reinterpret_cast<const DWORD*>(bytes + 18) == 2)
            return pv::TaskMemory<ITEMIDLIST>(ILCombine(junction.get(), item.get()));
    }
    return {};
}

// Cells of the first row whose picture area is not all background.
int DrawnCells(HWND thumbs) {
    RECT client = {};
    GetClientRect(thumbs, &client);
    int columns = thumblayout::ColumnsFor(client.right);
    HDC dc = GetDC(thumbs);
    COLORREF background = GetSysColor(COLOR_WINDOW);
    int drawn = 0;
    for (int n = 0; n < kCells && n < columns; ++n) {
        POINT origin = thumblayout::CellOrigin(n, columns, 0);
        int differing = 0;
        for (int x = 0; x < 96; x += 4)
            differing += GetPixel(dc, origin.x + 19 + x, origin.y + 8 + 36) != background ? 1 : 0;
        drawn += differing > 12 ? 1 : 0;
    }
    ReleaseDC(thumbs, dc);
    return drawn;
}

int Explore(const std::string& png) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "PvExploreHost";
    RegisterClassA(&windowClass);
    pv::UniqueWindow host(CreateWindowExA(0, windowClass.lpszClassName, "Memory Card - ORVIK Camera",
                                          WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 840, 520,
                                          nullptr, nullptr, windowClass.hInstance, nullptr));
    pv::ComPtr<IExplorerBrowser> explorer;
    if (!host || FAILED(CoCreateInstance(CLSID_ExplorerBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IExplorerBrowser,
                                         explorer.putVoid()))) {
        std::fprintf(stderr, "pvexplore: the shell has no explorer browser\n");
        return 2;
    }
    RECT area = {};
    GetClientRect(host.get(), &area);
    FOLDERSETTINGS settings = {FVM_ICON, 0};
    pv::TaskMemory<ITEMIDLIST> card = MemoryCard();
    int result = 3;
    if (FAILED(explorer->Initialize(host.get(), &area, &settings)) || !card) {
        std::fprintf(stderr, "pvexplore: the camera's memory card is not under My Computer\n");
    } else if (FAILED(explorer->BrowseToIDList(card.get(), SBSP_ABSOLUTE))) {
        std::fprintf(stderr, "pvexplore: the explorer browser could not open the memory card\n");
    } else {
        Pump(300);
        HWND container = FindDescendant(host.get(), "PV360_Mounter_View");
        if (container) SendMessageA(container, WM_COMMAND, MAKEWPARAM(kThumbnailsCommand, 0), 0);
        HWND thumbs = container ? FindDescendant(host.get(), "PV360_Mounter_Thumb_View") : nullptr;
        int drawn = 0;
        for (DWORD start = GetTickCount(); thumbs && drawn < kCells && GetTickCount() - start < kFillLimitMs;) {
            Pump(250);
            drawn = DrawnCells(thumbs);
        }
        std::string saved = dialogtest::SaveScreenshotTo(host.get(), png);
        std::printf("thumbnail view %s, %d of the first %d cells show a picture\n", thumbs ? "shown" : "NOT shown",
                    drawn, kCells);
        if (!saved.empty()) std::printf("screenshot %s\n", saved.c_str());
        result = thumbs && drawn > 0 && !saved.empty() ? 0 : 1;
    }
    explorer->Destroy();
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pvexplore FILE.png\n");
        return 2;
    }
    OleInitialize(nullptr);
    int result = Explore(argv[1]);
    OleUninitialize();
    return result;
}

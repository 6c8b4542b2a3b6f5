// thumbbench: fills the memory card's thumbnail view from the simulated camera, throttled to
// 115200 baud with LockDelay 0, for 10 and 40 pictures, and compares the time the fill takes with
// the line time of the bytes that crossed the line meanwhile (bytes / (115200 / 10) per second).
// The view is the registered Mounter's, in the shell's own explorer browser; the fill is the view's
// Thumbnail command, which returns when every cell is made. The time is split into the line time of
// the camera's bytes, of the host's bytes and the time the line stood idle; the thumbnails' own
// 3456 bytes each are the rest of the camera's bytes less the framing and the commands' answers.
// Run it through testing/wine/run.sh so that it finds the test peer; the Mounter of the build tree
// is registered in that tree's prefix.
#include "ComPtr.h"
#include "PeerClient.h"
#include "RegistryFixture.h"
#include "TaskMemory.h"
#include "UniqueWindow.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr DWORD kSpeed = 115200;
constexpr UINT kThumbnailsCommand = 1032;
constexpr DWORD kThumbnailBytes = 3456;
constexpr int kCardPictures = 5;
constexpr wchar_t kCameraPath[] =
    L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{A84C0500-B187-11D0-8AE7-00C04FD28D85}";

void RegisterMounter() {
    HMODULE mounter = LoadLibraryA("pvmount.dll");
    auto registerServer = mounter ? reinterpret_cast<HRESULT(WINAPI*)()>(
                                        reinterpret_cast<void (*)()>(GetProcAddress(mounter, "DllRegisterServer")))
                                  : nullptr;
    if (!registerServer || FAILED(registerServer())) throw std::runtime_error("pvmount.dll cannot be registered");
}

unsigned long Counter(const std::string& counters, const std::string& name) {
    std::istringstream in(counters);
    for (std::string item; in >> item;)
        if (item.rfind(name + "=", 0) == 0) return std::stoul(item.substr(name.size() + 1));
    return 0;
}

// Copies of a picture of the card under new 8.3 names, so that the card holds count pictures.
void FillCard(const std::string& cardDir, int count) {
    std::string folder = cardDir + "\\PCCARD\\DCIMAGES\\";
    for (int n = kCardPictures; n < count; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "PB%06d.JPG", n);
        if (!CopyFileA((folder + "PV000006.JPG").c_str(), (folder + name).c_str(), FALSE))
            throw std::runtime_error("cannot add the picture " + folder + name);
    }
}

// The memory card's absolute identifier list: the camera's child named "Memory Card".
pv::TaskMemory<ITEMIDLIST> CardIdList() {
    pv::ComPtr<IShellFolder> desktop, camera;
    pv::TaskMemory<ITEMIDLIST> cameraList, child;
    pv::ComPtr<IEnumIDList> children;
    if (FAILED(SHGetDesktopFolder(desktop.put())) ||
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(kCameraPath), nullptr, cameraList.put(),
                                         nullptr)) ||
        FAILED(desktop->BindToObject(cameraList.get(), nullptr, IID_IShellFolder, camera.putVoid())) ||
        camera->EnumObjects(nullptr, SHCONTF_FOLDERS, children.put()) != S_OK)
        throw std::runtime_error("the camera is not under My Computer");
    for (ULONG fetched = 0; children->Next(1, child.put(), &fetched) == S_OK && fetched == 1;) {
        STRRET name = {};
        wchar_t text[MAX_PATH] = L"";
        if (SUCCEEDED(camera->GetDisplayNameOf(child.get(), SHGDN_NORMAL, &name)) &&
            SUCCEEDED(StrRetToBufW(&name, child.get(), text, MAX_PATH)) && std::wstring(text) == L"Memory Card")
            return pv::TaskMemory<ITEMIDLIST>(ILCombine(cameraList.get(), child.get()));
    }
    throw std::runtime_error("the camera shows no memory card");
}

BOOL CALLBACK FindContainer(HWND window, LPARAM found) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "PV360_Mounter_View") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

class BrowserWindow {
public:
    BrowserWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "PvThumbBenchHost";
        RegisterClassA(&windowClass);
        m_window.reset(CreateWindowExA(0, windowClass.lpszClassName, "thumbbench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       0, 0, 900, 640, nullptr, nullptr, windowClass.hInstance, nullptr));
        if (!m_window || FAILED(CoCreateInstance(CLSID_ExplorerBrowser, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IExplorerBrowser, m_browser.putVoid())))
            throw std::runtime_error("the shell has no explorer browser");
        RECT area = {};
        GetClientRect(m_window.get(), &area);
        FOLDERSETTINGS settings = {FVM_DETAILS, 0};
        if (FAILED(m_browser->Initialize(m_window.get(), &area, &settings)))
            throw std::runtime_error("the explorer browser does not start");
    }
    ~BrowserWindow() { m_browser->Destroy(); }
    BrowserWindow(const BrowserWindow&) = delete;
    BrowserWindow& operator=(const BrowserWindow&) = delete;

    // Opens the folder and answers the Mounter's container window in it.
    HWND Open(LPCITEMIDLIST folder) {
        if (FAILED(m_browser->BrowseToIDList(folder, SBSP_ABSOLUTE))) throw std::runtime_error("the card does not open");
        HWND container = nullptr;
        EnumChildWindows(m_window.get(), FindContainer, reinterpret_cast<LPARAM>(&container));
        if (!container) throw std::runtime_error("the card's view is not in the explorer browser");
        return container;
    }

private:
    pv::UniqueWindow m_window;
    pv::ComPtr<IExplorerBrowser> m_browser;
};

void Measure(pvtest::PeerClient& peer, int pictures) {
    auto sim = peer.startSimulator(1, 1, "--throttle");
    pvtest::PeerClient control(sim.control);
    FillCard(sim.cardDir, pictures);
    {
        BrowserWindow browser;
        HWND container = browser.Open(CardIdList().get());
        control.command("clear");
        auto start = std::chrono::steady_clock::now();
        SendMessageA(container, WM_COMMAND, MAKEWPARAM(kThumbnailsCommand, 0), 0);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::string counters = control.command("counters");
        unsigned long fromCamera = Counter(counters, "bytes_out"), fromHost = Counter(counters, "bytes_in");
        double cameraSeconds = fromCamera * 10.0 / kSpeed, hostSeconds = fromHost * 10.0 / kSpeed;
        double lineSeconds = cameraSeconds + hostSeconds, idleSeconds = seconds - lineSeconds;
        std::printf("%2d pictures: fill %6.2f s; %7lu bytes on the wire (%lu of them thumbnails), line time %6.2f s "
                    "= %5.1f %% of the fill (the thumbnails' own %5.1f %%)\n",
                    pictures, seconds, fromCamera + fromHost, static_cast<unsigned long>(pictures) * kThumbnailBytes,
                    lineSeconds, 100.0 * lineSeconds / seconds,
                    100.0 * pictures * kThumbnailBytes * 10.0 / kSpeed / seconds);
        std::printf("             the camera's bytes %6.2f s, the host's %5.2f s, the line idle %5.2f s "
                    "(%.1f ms a picture)\n",
                    cameraSeconds, hostSeconds, idleSeconds, 1000.0 * idleSeconds / pictures);
    }
    peer.stopSimulator(1);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    int result = 0;
    try {
        pvtest::ScopedMachineDword port(pvtest::kMounterKey, "CommPort", 0);
        pvtest::ScopedMachineDword speed(pvtest::kMounterKey, "Speed", kSpeed);
        pvtest::ScopedMachineDword lockDelay(pvtest::kLinkKey, "LockDelay", 0);
        pvtest::ScopedMachineDword progress(pvtest::kLinkKey, "ShowConnectionProgress", 0);
        RegisterMounter();
        pvtest::PeerClient peer;
        for (int pictures : {10, 40}) Measure(peer, pictures);
    } catch (const std::exception& e) {
        std::printf("thumbbench: %s\n", e.what());
        result = 1;
    }
    OleUninitialize();
    return result;
}

#include "MounterFixture.h"

#include <cstdlib>
#include <shlwapi.h>

#include <fstream>
#include <sstream>

namespace {

constexpr wchar_t kJunction[] =
    L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{A84C0500-B187-11D0-8AE7-00C04FD28D85}";

}  // namespace

HMODULE MounterModule() {
    static HMODULE module = [] {
        HMODULE loaded = LoadLibraryA("pvmount.dll");
        auto registerServer = reinterpret_cast<HRESULT(WINAPI*)()>(
            reinterpret_cast<void (*)()>(GetProcAddress(loaded, "DllRegisterServer")));
        if (registerServer) registerServer();
        return loaded;
    }();
    return module;
}

void MounterCameraTest::SetUp() {
    ASSERT_TRUE(MounterModule());
    key.set("LockDelay", 0);
    key.set("Timeout", 300);
    key.set("ShowConnectionProgress", 0);
    pvtest::setMachineDword(pvtest::kMounterKey, "CommPort", kCom - 1);
    pvtest::setMachineDword(pvtest::kMounterKey, "Speed", 115200);
    // A shorter reset: the simulator accepts a quiet line of 200 ms, the host pauses 300 ms.
    _putenv("PVHOST_RESET_PAUSE_MS=300");
    auto started = peer.startSimulator(kCom, 1, SimulatorArguments());
    sim = std::make_unique<pvtest::PeerClient>(started.control);
    card = started.cardDir;
    Sim("timing resetquiet 200");
}

void MounterCameraTest::TearDown() {
    EXPECT_EQ("0", Sim("violations").substr(0, 1));
    peer.stopSimulator(kCom);
    pvtest::deleteMachineKey(pvtest::kMounterKey);
}

std::string MounterCameraTest::CardPath(const std::string& relative) const {
    std::string path = card + "\\" + relative;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string MounterCameraTest::CardFile(const std::string& relative) const { return ReadLocalFile(CardPath(relative)); }

std::string ReadLocalFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void BindCameraFolder(IShellFolder** folder, Pidl* absolute) {
    *folder = nullptr;
    ComPtr<IShellFolder> desktop;
    ASSERT_EQ(S_OK, SHGetDesktopFolder(desktop.put()));
    LPITEMIDLIST pidl = nullptr;
    ULONG eaten = 0;
    ASSERT_EQ(S_OK, desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(kJunction), &eaten, &pidl, nullptr));
    absolute->reset(pidl);
    ASSERT_EQ(S_OK, desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder)));
}

std::vector<Pidl> Enumerate(IShellFolder* folder, SHCONTF flags) {
    std::vector<Pidl> items;
    ComPtr<IEnumIDList> enumerator;
    if (folder->EnumObjects(nullptr, flags, enumerator.put()) != S_OK) return items;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    for (int guard = 0; guard < 1000 && enumerator->Next(1, &item, &fetched) == S_OK && fetched == 1; ++guard)
        items.emplace_back(item);
    return items;
}

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST item, SHGDNF flags) {
    STRRET name = {};
    HRESULT hr = folder->GetDisplayNameOf(item, flags, &name);
    if (FAILED(hr)) return "<" + std::to_string(hr) + ">";
    char text[MAX_PATH];
    StrRetToBufA(&name, item, text, sizeof text);
    return text;
}

Pidl FindChild(IShellFolder* folder, const std::string& name, SHCONTF flags) {
    for (Pidl& item : Enumerate(folder, flags))
        if (DisplayName(folder, item.get(), SHGDN_INFOLDER) == name) return std::move(item);
    return Pidl();
}

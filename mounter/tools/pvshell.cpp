// pvshell: the camera as the shell sees it. Registers pvmount.dll (beside this program) in the
// current Windows installation, finds the camera under My Computer and prints its tree: memories,
// albums and files with their type, size and parsing name. Exit code 0 when the camera answered.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kJunction[] =
    L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{A84C0500-B187-11D0-8AE7-00C04FD28D85}";
constexpr SHCONTF kEverything = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
constexpr int kMaxDepth = 3;

std::string Name(IShellFolder* folder, LPCITEMIDLIST item, SHGDNF flags) {
    STRRET name = {};
    char text[MAX_PATH] = "";
    if (SUCCEEDED(folder->GetDisplayNameOf(item, flags, &name))) StrRetToBufA(&name, item, text, sizeof text);
    return text;
}

// Size and type as the item identifier holds them (the Mounter's own layout).
void PrintItem(IShellFolder* folder, LPCITEMIDLIST item, int depth) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(item);
    DWORD size = item->mkid.cb > 22 ? *reinterpret_cast<const DWORD*>(bytes + 14) : 0;
    DWORD type = item->mkid.cb > 22 ? *reinterpret_cast<const DWORD*>(bytes + 18) : 0;
    std::printf("%*s%-24s type %lu  %10lu bytes  %s\n", depth * 2, "", Name(folder, item, SHGDN_INFOLDER).c_str(),
                static_cast<unsigned long>(type), static_cast<unsigned long>(size),
                Name(folder, item, SHGDN_FORPARSING).c_str());
}

int Walk(IShellFolder* folder, int depth) {
    IEnumIDList* items = nullptr;
    if (folder->EnumObjects(nullptr, kEverything, &items) != S_OK || !items) return 0;
    int count = 0;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (count < 10000 && items->Next(1, &item, &fetched) == S_OK && fetched == 1) {
        ++count;
        PrintItem(folder, item, depth);
        SFGAOF attributes = SFGAO_FOLDER;
        LPCITEMIDLIST one = item;
        IShellFolder* child = nullptr;
        if (depth < kMaxDepth && SUCCEEDED(folder->GetAttributesOf(1, &one, &attributes)) &&
            (attributes & SFGAO_FOLDER) &&
            SUCCEEDED(folder->BindToObject(item, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&child)))) {
            Walk(child, depth + 1);
            child->Release();
        }
        CoTaskMemFree(item);
    }
    items->Release();
    return count;
}

bool RegisterMounter() {
    HMODULE module = LoadLibraryA("pvmount.dll");
    auto registerServer = module ? reinterpret_cast<HRESULT(WINAPI*)()>(
                                       reinterpret_cast<void (*)()>(GetProcAddress(module, "DllRegisterServer")))
                                 : nullptr;
    return registerServer && SUCCEEDED(registerServer());
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    if (!RegisterMounter()) {
        std::fprintf(stderr, "pvshell: pvmount.dll could not be registered\n");
        return 2;
    }
    IShellFolder* desktop = nullptr;
    LPITEMIDLIST junction = nullptr;
    IShellFolder* camera = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) ||
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(kJunction), nullptr, &junction,
                                         nullptr)) ||
        FAILED(desktop->BindToObject(junction, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&camera)))) {
        std::fprintf(stderr, "pvshell: the camera is not under My Computer\n");
        return 3;
    }
    std::printf("%s\n", Name(desktop, junction, SHGDN_NORMAL).c_str());
    int memories = Walk(camera, 1);
    camera->Release();
    CoTaskMemFree(junction);
    desktop->Release();
    OleUninitialize();
    if (memories == 0) std::fprintf(stderr, "pvshell: the camera shows no memory (is it connected?)\n");
    return memories > 0 ? 0 : 1;
}

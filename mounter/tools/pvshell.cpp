// pvshell: the camera as the shell sees it. Registers pvmount.dll (beside this program) in the
// current Windows installation, finds the camera under My Computer and prints its tree: memories,
// albums and files with their type, size and parsing name. Exit code 0 when the camera answered.
//   pvshell [--registered]
// With --registered nothing is registered: the shell loads whatever module the camera class names,
// and the last line says which ("server PATH"). Linked statically, so that the modules the shell
// loads find their runtime in their own folder, not beside this program.
#include "ComPtr.h"
#include "TaskMemory.h"
#include "UniqueModule.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
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
    pv::ComPtr<IEnumIDList> items;
    if (folder->EnumObjects(nullptr, kEverything, items.put()) != S_OK || !items) return 0;
    int count = 0;
    pv::TaskMemory<ITEMIDLIST> item;
    ULONG fetched = 0;
    while (count < 10000 && items->Next(1, item.put(), &fetched) == S_OK && fetched == 1) {
        ++count;
        PrintItem(folder, item.get(), depth);
        SFGAOF attributes = SFGAO_FOLDER;
        LPCITEMIDLIST one = item.get();
        pv::ComPtr<IShellFolder> child;
        if (depth < kMaxDepth && SUCCEEDED(folder->GetAttributesOf(1, &one, &attributes)) &&
            (attributes & SFGAO_FOLDER) &&
            SUCCEEDED(folder->BindToObject(item.get(), nullptr, IID_IShellFolder, child.putVoid())))
            Walk(child.get(), depth + 1);
    }
    return count;
}

// The module stays loaded for the walk: the shell finds its classes registered and loaded.
bool RegisterMounter(const pv::UniqueModule& module) {
    auto registerServer = module.proc<HRESULT(WINAPI*)()>("DllRegisterServer");
    return registerServer && SUCCEEDED(registerServer());
}

// Which pvmount.dll the shell loaded for the camera class.
void PrintServerModule() {
    char path[MAX_PATH] = "";
    HMODULE server = GetModuleHandleA("pvmount.dll");
    if (server && GetModuleFileNameA(server, path, sizeof path) == 0) path[0] = '\0';
    std::printf("server %s\n", server ? path : "(not loaded)");
}

// The camera's tree under My Computer; answers the number of its memories, or -1 when the shell
// does not reach the camera.
int ShowCamera(bool registered) {
    pv::ComPtr<IShellFolder> desktop;
    pv::TaskMemory<ITEMIDLIST> junction;
    pv::ComPtr<IShellFolder> camera;
    if (FAILED(SHGetDesktopFolder(desktop.put())) ||
        FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(kJunction), nullptr, junction.put(),
                                         nullptr)) ||
        FAILED(desktop->BindToObject(junction.get(), nullptr, IID_IShellFolder, camera.putVoid())))
        return -1;
    std::printf("%s\n", Name(desktop.get(), junction.get(), SHGDN_NORMAL).c_str());
    int memories = Walk(camera.get(), 1);
    if (registered) PrintServerModule();
    return memories;
}

}  // namespace

int main(int argc, char** argv) {
    bool registered = argc > 1 && std::strcmp(argv[1], "--registered") == 0;
    OleInitialize(nullptr);
    int memories = 0;
    {
        pv::UniqueModule mounter;
        if (!registered) {
            mounter = pv::UniqueModule::load("pvmount.dll");
            if (!RegisterMounter(mounter)) {
                std::fprintf(stderr, "pvshell: pvmount.dll could not be registered\n");
                return 2;
            }
        }
        memories = ShowCamera(registered);
    }
    OleUninitialize();
    if (memories < 0) {
        std::fprintf(stderr, "pvshell: the camera is not under My Computer\n");
        return 3;
    }
    if (memories == 0) std::fprintf(stderr, "pvshell: the camera shows no memory (is it connected?)\n");
    return memories > 0 ? 0 : 1;
}

#include "GlobalBlockCounter.h"

#include <atomic>

namespace pvtest {
namespace {

std::atomic<int> g_outstanding{0};

HGLOBAL WINAPI CountedAlloc(UINT flags, SIZE_T bytes) {
    HGLOBAL block = GlobalAlloc(flags, bytes);
    if (block) ++g_outstanding;
    return block;
}

HGLOBAL WINAPI CountedFree(HGLOBAL block) {
    HGLOBAL result = GlobalFree(block);
    if (block && !result) --g_outstanding;
    return result;
}

struct Redirection {
    const char* name;
    void* replacement;
};

const Redirection kRedirections[] = {
    {"GlobalAlloc", reinterpret_cast<void*>(&CountedAlloc)},
    {"GlobalFree", reinterpret_cast<void*>(&CountedFree)},
};

void* KernelFunction(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name));
}

void WriteSlot(void** slot, void* value) {
    DWORD previous = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous)) return;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

// Replaces every import slot of the module holding from by to; answers how many it replaced.
int Redirect(HMODULE module, void* from, void* to) {
    auto base = reinterpret_cast<BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return 0;
    int replaced = 0;
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); d->Name; ++d) {
        for (auto slot = reinterpret_cast<void**>(base + d->FirstThunk); *slot; ++slot) {
            if (*slot != from) continue;
            WriteSlot(slot, to);
            ++replaced;
        }
    }
    return replaced;
}

}  // namespace

GlobalBlockCounter::GlobalBlockCounter(std::vector<HMODULE> modules) : modules_(std::move(modules)) {
    g_outstanding = 0;
    attached_ = !modules_.empty();
    for (HMODULE module : modules_) {
        int found = 0;
        for (const Redirection& r : kRedirections)
            if (module) found += Redirect(module, KernelFunction(r.name), r.replacement) > 0;
        attached_ = attached_ && found == 2;
    }
}

GlobalBlockCounter::~GlobalBlockCounter() {
    for (HMODULE module : modules_)
        for (const Redirection& r : kRedirections)
            if (module) Redirect(module, r.replacement, KernelFunction(r.name));
}

int GlobalBlockCounter::outstanding() const { return g_outstanding; }

}  // namespace pvtest

#include "MounterMessages.h"

#include "MounterGlobals.h"
#include "MounterResources.h"

#include "GlobalMemory.h"

#include <vector>

namespace mounter {

std::string LoadText(UINT id) {
    std::vector<char> text(1024);
    int n = LoadStringA(ModuleInstance(), id, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

std::string FormatText(UINT id, const std::string& insert) {
    std::string pattern = LoadText(id);
    DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(insert.c_str())};
    pv::LocalMemory formatted;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                 FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             pattern.c_str(), 0, 0, reinterpret_cast<LPSTR>(formatted.put()), 0,
                             reinterpret_cast<va_list*>(arguments));
    if (n == 0 || !formatted) return pattern;
    return std::string(static_cast<const char*>(formatted.get()), n);
}

int ShowMessageText(HWND owner, const std::string& text, UINT style) {
    return MessageBoxA(owner, text.c_str(), LoadText(IDS_MOUNTER_CAPTION).c_str(), style);
}

int ShowMessage(HWND owner, UINT id, UINT style) { return ShowMessageText(owner, LoadText(id), style); }

}  // namespace mounter

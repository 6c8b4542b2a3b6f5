#include "FileDialogHost.h"

#include <servprov.h>

namespace {

constexpr char kDialogClass[] = "#32770";

bool IsDialogWindow(HWND window) {
    char name[16] = "";
    return window && GetClassNameA(window, name, sizeof name) && lstrcmpA(name, kDialogClass) == 0;
}

}  // namespace

HWND FileDialogWindow(IShellBrowser* browser, HWND owner) {
    HWND window = nullptr;
    if (FAILED(browser->GetWindow(&window)) || !window) window = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    return window;
}

pv::ComPtr<ICommDlgBrowser> FileDialogOf(IShellBrowser* browser, HWND owner) {
    pv::ComPtr<ICommDlgBrowser> dialog;
    pv::ComPtr<IServiceProvider> services;
    if (!browser || FAILED(browser->QueryInterface(IID_ICommDlgBrowser, dialog.putVoid())) ||
        FAILED(browser->QueryInterface(IID_IServiceProvider, services.putVoid())) ||
        !IsDialogWindow(FileDialogWindow(browser, owner)))
        dialog.reset();
    return dialog;
}

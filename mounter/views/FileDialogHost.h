// Whether a shell view's browser is a common file dialog. A file dialog's browser answers
// ICommDlgBrowser and IServiceProvider, and its window is a dialog. An Explorer window is none of
// that, although Wine's explorer browser answers ICommDlgBrowser too.
#pragma once

#include "ComPtr.h"

#include <windows.h>
#include <shlobj.h>

// The browser's ICommDlgBrowser when it is a file dialog's; empty otherwise.
pv::ComPtr<ICommDlgBrowser> FileDialogOf(IShellBrowser* browser, HWND owner);
// The window of the browser, or else the top-level window of the view's owner.
HWND FileDialogWindow(IShellBrowser* browser, HWND owner);

// The common control classes that the acquire module's dialogs hold (tree, progress bar),
// registered once before the first of them is made.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace acquire {

inline void EnsureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

}  // namespace acquire

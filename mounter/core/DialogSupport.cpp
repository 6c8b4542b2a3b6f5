#include "DialogSupport.h"

#include <commctrl.h>

namespace mounter {

void InitDialogControls() {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
}

void PumpDialogMessages(HWND dialog) {
    MSG msg;
    // A null or destroyed window would let PeekMessage take the whole thread's messages.
    while (IsWindow(dialog) && PeekMessageA(&msg, dialog, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void ShowHelpContents(HWND owner) { WinHelpA(owner, "Mounter.hlp", HELP_FINDER, 0); }

}  // namespace mounter

#include "OpenFileHook.h"

#include "MounterMessages.h"
#include "MounterShellView.h"
#include "ViewResources.h"

#include <mutex>

namespace {

constexpr int kButtonTextChars = 10;   // nine characters and the terminating null

struct HookState {
    std::mutex lock;
    CMounterShellView* view = nullptr;
    HWND dialog = nullptr;
    WNDPROC replaced = nullptr;
};

HookState& Hook() {
    static HookState state;
    return state;
}

std::string OkButtonText(HWND dialog) {
    char text[kButtonTextChars] = "";
    GetDlgItemTextA(dialog, IDOK, text, sizeof text);
    std::string plain;
    for (const char* c = text; *c; ++c)
        if (*c != '&') plain += *c;
    return plain;
}

// Copies the current view's selection; false when the user cancelled a copy.
bool CopyForDialog(HWND dialog) {
    CMounterShellView* view = nullptr;
    {
        std::lock_guard<std::mutex> guard(Hook().lock);
        view = Hook().view;
        if (view) view->AddRef();
    }
    if (!view) return true;
    bool goOn = !IsTakingButtonText(OkButtonText(dialog)) || view->CopySelectedPictures() != 2;
    view->Release();
    return goOn;
}

}  // namespace

bool IsTakingButtonText(const std::string& text) {
    return !text.empty() && mounter::LoadText(IDS_OPEN_BUTTON_TEXTS).find(text) != std::string::npos;
}

void AttachFileDialogHook(HWND dialog, CMounterShellView* view) {
    std::lock_guard<std::mutex> guard(Hook().lock);
    Hook().view = view;
    if (Hook().replaced || !dialog) return;
    Hook().dialog = dialog;
    Hook().replaced = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MounterOFDWndProc)));
}

void DetachFileDialogHook(CMounterShellView* view) {
    std::lock_guard<std::mutex> guard(Hook().lock);
    if (Hook().view != view) return;
    if (Hook().replaced && IsWindow(Hook().dialog))
        SetWindowLongPtrA(Hook().dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Hook().replaced));
    Hook().replaced = nullptr;
    Hook().dialog = nullptr;
    Hook().view = nullptr;
}

extern "C" LRESULT CALLBACK MounterOFDWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED && !CopyForDialog(window))
        return 0;
    WNDPROC replaced = nullptr;
    {
        std::lock_guard<std::mutex> guard(Hook().lock);
        replaced = Hook().replaced;
    }
    return replaced ? CallWindowProcA(replaced, window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

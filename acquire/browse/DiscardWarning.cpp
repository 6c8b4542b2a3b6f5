#include "DiscardWarning.h"

#include "AcquireManager.h"
#include "ModalDialog.h"
#include "PvresIds.h"

namespace acquire {
namespace {

struct WarningBox {
    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITDIALOG) return TRUE;
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
};

}  // namespace

bool ConfirmDiscardPictures(AcquireManager& manager, HWND owner) {
    if (manager.pictures().empty()) return true;
    WarningBox box;
    if (RunModalDialog(box, IDD_PV_WARNING, owner) != IDOK) return false;
    manager.EmptyPictures();
    return true;
}

}  // namespace acquire

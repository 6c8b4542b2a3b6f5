#include "AboutBox.h"

#include "PictureDrawing.h"
#include "PvresIds.h"
#include "PvresModule.h"

namespace acquire {
namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_DRAWITEM: {
        auto item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != IDC_ABOUT_PICTURE) return FALSE;
        DrawPicture(item->hDC, PvresResource(IDP_PV_ABOUT, RT_PV_PICTURE), item->rcItem);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_PICTURE || LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(PvresInstance(), MAKEINTRESOURCEA(IDD_PV_ABOUT), owner, AboutProc, 0);
}

}  // namespace acquire

#include "AcquireDialog.h"

#include "AboutBox.h"
#include "AcquireManager.h"
#include "CameraBrowser.h"
#include "DiskBrowser.h"
#include "ErrorDisplay.h"
#include "PvresIds.h"
#include "PictureInformation.h"
#include "PreferencesDialog.h"
#include "PvresModule.h"
#include "StatusFields.h"
#include "ThumbnailSelection.h"
#include "WaitCursor.h"

#include <windowsx.h>

namespace acquire {
namespace {

constexpr int kButtonIds[] = {IDC_CAMERA_BUTTON, IDC_DISK_BUTTON, IDC_TRANSFER_BUTTON, IDC_HELP_BUTTON,
                              IDC_PREF_BUTTON, IDCANCEL};

void SetIcons(HWND window) {
    for (auto [which, size] : {std::pair{ICON_BIG, 32}, {ICON_SMALL, 16}}) {
        HANDLE icon = LoadImageA(PvresInstance(), MAKEINTRESOURCEA(IDI_PV_ACQUIRE), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageA(window, WM_SETICON, WPARAM(which), LPARAM(icon));
    }
}

void AddAboutItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    std::string text = PvresString(IDS_PV_ABOUT_ITEM);
    if (!menu || text.empty()) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, AcquireDialog::kAboutCommand, text.c_str());
}

}  // namespace

std::unique_ptr<AcquireDialog> AcquireDialog::Create(AcquireManager& manager, HWND parent) {
    std::unique_ptr<AcquireDialog> dialog(new AcquireDialog(manager));
    HWND window = CreateDialogParamA(PvresInstance(), MAKEINTRESOURCEA(IDD_PV_ACQUIRE), parent, Proc,
                                     reinterpret_cast<LPARAM>(dialog.get()));
    if (!window || !IsWindow(window)) return nullptr;
    ShowWindow(window, SW_SHOW);
    return dialog;
}

AcquireDialog::~AcquireDialog() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

INT_PTR CALLBACK AcquireDialog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto self = reinterpret_cast<AcquireDialog*>(lParam);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        return self->OnInit();
    }
    auto self = reinterpret_cast<AcquireDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        // The window is gone: the manager lets go of the dialog, which must not be touched after.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->manager_.DialogDestroyed(self);
        return FALSE;
    }
    return self->Handle(message, wParam, lParam);
}

INT_PTR AcquireDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != kAboutCommand) return FALSE;
        ShowAboutBox(window_);
        return TRUE;
    case WM_DRAWITEM:
        return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_LBUTTONDOWN:
        OnClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
    case WM_VSCROLL:
        area_.Scroll(LOWORD(wParam), manager_.pictures().size());
        return TRUE;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        area_.Redraw();
        return FALSE;
    }
    return FALSE;
}

BOOL AcquireDialog::OnInit() {
    if (manager_.allocationFailed()) {
        MessageBoxA(window_, PvresString(IDS_PV_NO_START_MEMORY).c_str(), PvresString(IDS_PV_TITLE_ERROR, "Error").c_str(),
                    MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        DestroyWindow(window_);
        return FALSE;
    }
    AddAboutItem(window_);
    SetIcons(window_);
    drawing_ = std::make_unique<DrawingResources>();
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i].Attach(GetDlgItem(window_, kButtonIds[i]));
    area_.Attach(window_, IDC_THUMBNAIL_AREA, IDC_THUMBNAIL_SCROLL);
    ShowStatus(IDS_PV_STATUS_LOCATE);
    Refresh();
    return TRUE;
}

void AcquireDialog::ShowStatus(UINT text) { SetDlgItemTextA(window_, IDC_STATUS_LINE, PvresString(text).c_str()); }

void AcquireDialog::Refresh() {
    const auto& pictures = manager_.pictures();
    EnableWindow(GetDlgItem(window_, IDC_TRANSFER_BUTTON), !pictures.empty());
    UpdateFields();
    area_.UpdateScrollBar(pictures.size());
    area_.Redraw();
}

void AcquireDialog::UpdateFields() {
    const auto& pictures = manager_.pictures();
    const CameraConnection& camera = manager_.connection();
    bool linked = camera.connected() && !pictures.empty();
    SetDlgItemTextA(window_, IDC_PORT_FIELD, linked ? PortFieldText(camera.record()->portInUse).c_str() : "");
    SetDlgItemTextA(window_, IDC_SPEED_FIELD, linked ? SpeedFieldText(DWORD(camera.status().speedInUse)).c_str() : "");
    SetDlgItemTextA(window_, IDC_RETRIEVED_FIELD, pictures.empty() ? "" : RetrievedFieldText(int(pictures.size())).c_str());
    SetDlgItemTextA(window_, IDC_SELECTED_FIELD, pictures.empty() ? "" : SelectedFieldText(manager_.selectedCount()).c_str());
}

bool AcquireDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_THUMBNAIL_AREA) {
        area_.Paint(item, manager_.pictures(), *drawing_);
        return true;
    }
    for (const BitmapButton& button : buttons_) {
        if (button.window() == item.hwndItem) {
            button.Draw(item);
            return true;
        }
    }
    return false;
}

void AcquireDialog::OnClick(POINT point, WPARAM keys) {
    if (!area_.Contains(point)) return;
    auto& pictures = manager_.pictures();
    std::vector<bool> selected;
    for (const PictureEntry& picture : pictures) selected.push_back(picture.selected);
    ApplyClick(selected, area_.HitTest(point, pictures.size()), keys & MK_CONTROL, keys & MK_SHIFT);
    int count = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        pictures[i].selected = selected[i];
        count += selected[i];
    }
    manager_.SetSelectedCount(count);
    UpdateFields();
    area_.Redraw();
}

void AcquireDialog::OnDoubleClick(POINT point) {
    if (!area_.Contains(point)) return;
    const auto& pictures = manager_.pictures();
    int index = area_.HitTest(point, pictures.size());
    if (index >= 0) ShowPictureInformation(pictures[size_t(index)], window_);
}

void AcquireDialog::OnGetPictures(int (*run)(AcquireManager&, AcquireDialog&)) {
    if (gettingPictures_) return;
    gettingPictures_ = true;
    HWND window = window_;
    int code = run(manager_, *this);
    // The source may have closed the dialog meanwhile.
    if (!IsWindow(window) || manager_.dialog() != this) return;
    gettingPictures_ = false;
    Refresh();
    ShowStatus(manager_.pictures().empty() ? IDS_PV_STATUS_LOCATE : IDS_PV_STATUS_CLICK_TRANSFER);
    ShowAcquireError(code, window);
}

void AcquireDialog::OnCommand(int id) {
    switch (id) {
    case IDC_CAMERA_BUTTON:
        OnGetPictures(GetCameraPictures);
        break;
    case IDC_DISK_BUTTON:
        OnGetPictures(GetDiskPictures);
        break;
    case IDC_PREF_BUTTON:
        EditPreferences(&manager_.preferences(), manager_.ports(), window_);
        break;
    case IDC_TRANSFER_BUTTON:
        OnTransfer();
        break;
    case IDC_HELP_BUTTON:
        ShowAcquireHelp(window_);
        break;
    case IDCANCEL:
        OnUserClose();
        break;
    }
}

void AcquireDialog::OnTransfer() {
    if (transferring_) return;
    transferring_ = true;
    HWND window = window_;
    const auto& pictures = manager_.pictures();
    if (!pictures.empty() && pictures.front().source == PictureEntry::Source::kCamera) {
        if (int code = manager_.ConnectCamera(window)) {
            ShowAcquireError(code, window);
            transferring_ = false;
            return;
        }
    }
    WaitCursor hourglass;
    ShowStatus(IDS_PV_STATUS_CONFIRMING);
    bool accepted = false;
    int code = manager_.HandOverSelection(&accepted);
    // The source may have closed the dialog while it took the selection.
    if (!IsWindow(window) || manager_.dialog() != this) return;
    if (code) {
        ShowAcquireError(code, window);
    } else if (accepted && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
    }
    transferring_ = false;
}

void AcquireDialog::OnUserClose() {
    HWND window = window_;
    manager_.ReportUserClose();
    if (IsWindow(window)) DestroyWindow(window);
}

}  // namespace acquire

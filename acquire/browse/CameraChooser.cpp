#include "CameraChooser.h"

#include "ModalDialog.h"
#include "PvresIds.h"
#include "SourceEntry.h"
#include "ThumbnailBox.h"
#include "WaitCursor.h"

#include <commctrl.h>

#include <memory>
#include <new>

namespace acquire {
namespace {

constexpr size_t kNameLength = 13;

}  // namespace

INT_PTR CameraChooser::Run(HWND owner) { return RunModalDialog(*this, IDD_PV_CAMERA_PICTURES, owner); }

INT_PTR CameraChooser::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        window_ = window;
        if (!OnInit()) EndDialog(window, -1);
        return TRUE;
    case WM_COMMAND:
        lists_.OnCommand(LOWORD(wParam), HIWORD(wParam), [this] { AddSelected(); }, [this] { OnFileSelection(); });
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_CHOOSER_THUMBNAIL) return FALSE;
        DrawThumbnailBox(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                         shownItem_ >= 0 ? pictures_[size_t(shownItem_)].thumbnail : std::vector<BYTE>{},
                         lists_.showThumbnail() && shownItem_ >= 0);
        return TRUE;
    }
    return FALSE;
}

bool CameraChooser::OnInit() {
    lists_.Attach(window_);
    if (!ReadPictureNames()) return false;
    FillTree();
    for (const Picture& picture : pictures_) SendMessageA(lists_.files(), LB_ADDSTRING, 0, LPARAM(picture.name.c_str()));
    lists_.UpdateButtons();
    return true;
}

bool CameraChooser::ReadPictureNames() {
    WaitCursor hourglass;
    PvCameraBlock block{};
    if (PV360_GetStatus(camera_, &block, nullptr) != kPvOk) return false;
    if (block.pictureCount <= 0) return true;
    size_t count = size_t(block.pictureCount);
    std::unique_ptr<char[]> names(new (std::nothrow) char[count * kPvPictureNameSlot]{});
    if (!names || PV360_GetAllPictureName(camera_, names.get()) != kPvOk) return false;
    for (size_t i = 0; i < count; ++i) {
        const char* slot = names.get() + i * kPvPictureNameSlot;
        pictures_.push_back({int32_t(i + 1), std::string(slot, strnlen(slot, kNameLength)), {}});
    }
    return true;
}

// The hidden tree: the camera, its memory card and the card's pictures.
void CameraChooser::FillTree() {
    HWND tree = GetDlgItem(window_, IDC_CHOOSER_TREE);
    std::string label = cameraType_ == kPvCameraTypePV360 ? PvresString(IDS_PV_CAMERA_PV360, "ORVIK PV360Zoom")
                                                          : PvresString(IDS_PV_CAMERA_PV350, "ORVIK PV350");
    auto insert = [tree](HTREEITEM parent, const std::string& text) {
        TVINSERTSTRUCTA item{};
        item.hParent = parent;
        item.hInsertAfter = TVI_LAST;
        item.item.mask = TVIF_TEXT;
        item.item.pszText = const_cast<char*>(text.c_str());
        return HTREEITEM(SendMessageA(tree, TVM_INSERTITEMA, 0, LPARAM(&item)));
    };
    HTREEITEM card = insert(insert(TVI_ROOT, label), PvresString(IDS_PV_MEMORY_CARD, "Memory Card"));
    for (const Picture& picture : pictures_) insert(card, picture.name);
}

void CameraChooser::AddSelected() {
    for (int item : lists_.SelectedFiles()) {
        const Picture& picture = pictures_[size_t(item)];
        lists_.AddTransfer(picture.name, CameraSourceText(kMemoryCard, picture.number, picture.name));
    }
}

void CameraChooser::OnFileSelection() {
    std::vector<int> selected = lists_.SelectedFiles();
    if (lists_.showThumbnail() && !selected.empty()) ShowThumbnailOf(int(SendMessageA(lists_.files(), LB_GETCARETINDEX, 0, 0)));
    InvalidateRect(GetDlgItem(window_, IDC_CHOOSER_THUMBNAIL), nullptr, FALSE);
}

void CameraChooser::ShowThumbnailOf(int item) {
    if (item < 0 || size_t(item) >= pictures_.size() || item == shownItem_) return;
    Picture& picture = pictures_[size_t(item)];
    shownItem_ = item;
    if (!picture.thumbnail.empty()) return;
    WaitCursor hourglass;
    std::vector<BYTE> pixels(kPvThumbnailBytes);
    PvPictureInfo info{};
    const int32_t request[3] = {0, 1, 0};
    if (PV360_GetCameraPictInfo(camera_, picture.number, kPvKindThumbnail, request, &info, pixels.data()) == kPvOk)
        picture.thumbnail = std::move(pixels);
}

}  // namespace acquire

// The "Get Camera Pictures" dialog (150): the pictures in the camera, a transfer list built from
// them, and on request the thumbnail of the picture selected. Its answer is the transfer list as
// source entries.
#pragma once

#include "ChooserLists.h"
#include "pvcamsdk.h"

#include <windows.h>

#include <string>
#include <vector>

namespace acquire {

class CameraChooser {
public:
    CameraChooser(PvConnection* camera, int32_t cameraType) : camera_(camera), cameraType_(cameraType) {}

    // IDOK, IDCANCEL, or -1 when the dialog could not be made.
    INT_PTR Run(HWND owner);
    // After IDOK: "0m=%d,p=%d,f=%s" for each entry of the transfer list, in its order.
    const std::vector<std::string>& chosen() const { return lists_.transferValues(); }
    int32_t memory() const { return kMemoryCard; }
    bool showThumbnail() const { return lists_.showThumbnail(); }

    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static constexpr int32_t kMemoryCard = 1;

    struct Picture {
        int32_t number;      // 1-based
        std::string name;    // at most 13 characters
        std::vector<BYTE> thumbnail;
    };

    bool OnInit();
    bool ReadPictureNames();
    void FillTree();
    void AddSelected();
    void OnFileSelection();
    void ShowThumbnailOf(int item);

    PvConnection* camera_;
    int32_t cameraType_;
    HWND window_ = nullptr;
    ChooserLists lists_;
    std::vector<Picture> pictures_;
    int shownItem_ = -1;
};

}  // namespace acquire

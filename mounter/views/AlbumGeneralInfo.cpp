#include "AlbumGeneralInfo.h"

#include "CameraStatusFields.h"
#include "InfoTexts.h"
#include "MounterNameSpaceFolder.h"
#include "PageResources.h"

namespace {

// The item before the last of a list (null for a list of fewer than two items).
LPCITEMIDLIST ItemBeforeLast(LPCITEMIDLIST pidl) {
    LPCITEMIDLIST previous = nullptr;
    for (LPCITEMIDLIST item = pidl; item && item->mkid.cb; item = itemid::Next(item)) {
        if (itemid::Next(item)->mkid.cb == 0) return previous;
        previous = item;
    }
    return nullptr;
}

}  // namespace

CAlbumGeneralInfo::CAlbumGeneralInfo(CMounterNameSpaceFolder* folder, bool answered)
    : CSheetPage(folder, IDD_ALBUM_PAGE), m_answered(answered) {}

void CAlbumGeneralInfo::OnInitDialog() {
    LPCITEMIDLIST album = itemid::Last(m_folder->IdList());
    LPCITEMIDLIST memory = ItemBeforeLast(m_folder->IdList());
    if (!m_answered || !album || !memory) return;
    CameraStatusFields status = ReadCameraStatus(m_folder);
    if (!status.valid) return;
    bool onCard = itemid::TypeOf(memory) == MntMemoryCard && status.card;
    SetText(IDC_INFO_QUALITY, QualityText(status.quality));
    SetNumber(IDC_INFO_REMAINING, onCard ? static_cast<long>(status.remaining) : 0);
    std::string total;
    m_folder->CountAlbumPictures(&total, album, memory);
    SetText(IDC_INFO_TOTAL, total);
}

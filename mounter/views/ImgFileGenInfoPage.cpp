#include "ImgFileGenInfoPage.h"

#include "CaptureChoices.h"
#include "InfoTexts.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "PageResources.h"

CImgFileGenInfoPage::CImgFileGenInfoPage(CMounterNameSpaceFolder* folder, LPCITEMIDLIST picture, bool answered)
    : CSheetPage(folder, IDD_PICTURE_PAGE), m_picture(picture ? itemid::Clone(picture) : nullptr), m_answered(answered) {}

void CImgFileGenInfoPage::OnInitDialog() {
    const MounterItemId* item = itemid::FromIdList(m_picture.get());
    if (!m_answered || !item) return;
    std::string text;
    m_folder->GetPictureResolutionText(&text, m_picture.get());
    SetText(IDC_FILE_RESOLUTION, text);
    m_folder->GetPictureQualityText(&text, m_picture.get());
    SetText(IDC_FILE_QUALITY, text);
    SetText(IDC_FILE_SIZE, FillIn(mounter::LoadText(IDS_FILE_BYTES), std::to_string(item->size)));
    SetText(IDC_FILE_DATE, ShortDateText(item->time));
    SetText(IDC_FILE_TIME, ShortTimeText(item->time));
    SetText(IDC_FILE_NAME, itemid::NameOf(m_picture.get()));
}

#include "MemoryGenInfoPage.h"

#include "CameraStatusFields.h"
#include "InfoTexts.h"
#include "MounterItemId.h"
#include "PageResources.h"

CMemoryGenInfoPage::CMemoryGenInfoPage(CMounterNameSpaceFolder* folder, DWORD memoryType, bool answered)
    : CSheetPage(folder, IDD_MEMORY_PAGE), m_memoryType(memoryType), m_answered(answered) {}

void CMemoryGenInfoPage::OnInitDialog() {
    if (!m_answered) return;
    CameraStatusFields status = ReadCameraStatus(m_folder);
    if (!status.valid) return;
    bool card = m_memoryType == MntMemoryCard && status.card;
    SetText(IDC_INFO_RESOLUTION, ResolutionText(status.resolution));
    SetText(IDC_INFO_QUALITY, QualityText(status.quality));
    SetNumber(IDC_INFO_REMAINING, card ? static_cast<long>(status.remaining) : 0);
    SetNumber(IDC_INFO_TOTAL, card ? static_cast<long>(status.taken) : 0);
}

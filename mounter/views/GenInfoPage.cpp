#include "GenInfoPage.h"

#include "MounterNameSpaceFolder.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "PageResources.h"
#include "SerialConfigDialog.h"
#include "StatusPanel.h"

#include <vector>

namespace {

const std::vector<int> kQualityRadios = {IDC_QUALITY_BEST, IDC_QUALITY_BETTER, IDC_QUALITY_GOOD};
const std::vector<int> kResolutionRadios = {IDC_RESOLUTION_HIGH, IDC_RESOLUTION_STANDARD};
const std::vector<int> kCloseUpRadios = {IDC_CLOSEUP_ON, IDC_CLOSEUP_OFF};
const std::vector<int> kFlashRadios = {IDC_FLASH_AUTO, IDC_FLASH_FILL, IDC_FLASH_OFF, IDC_REDEYE_AUTO, IDC_REDEYE_FILL};
const std::vector<int> kSelfTimerRadios = {IDC_SELFTIMER_ON, IDC_SELFTIMER_OFF};
const std::vector<int>* const kGroupRadios[CGenInfoPage::GroupCount] = {&kQualityRadios, &kResolutionRadios,
                                                                       &kCloseUpRadios, &kFlashRadios, &kSelfTimerRadios};
constexpr int kRedEyeAuto = 3;
constexpr int kRedEyeFill = 4;
constexpr int kPlainAuto = 0;
constexpr int kPlainFill = 1;
constexpr DWORD kCloseUpOffZoom = 4;
// The panel's place on the page, in dialog units.
constexpr RECT kPanelUnits = {7, 4, 227, 48};

int GroupOf(int id, CGenInfoPage::Group* group) {
    for (int g = 0; g < CGenInfoPage::GroupCount; ++g) {
        const std::vector<int>& radios = *kGroupRadios[g];
        for (size_t i = 0; i < radios.size(); ++i)
            if (radios[i] == id) {
                *group = static_cast<CGenInfoPage::Group>(g);
                return static_cast<int>(i);
            }
    }
    return -1;
}

}  // namespace

CGenInfoPage::CGenInfoPage(CMounterNameSpaceFolder* folder) : CSheetPage(folder, IDD_SETTINGS_PAGE) {}

void CGenInfoPage::OnSetActive() {
    m_status = ReadCameraStatus(m_folder);
    if (!m_status.valid) return;
    LoadSettings();
    EnableDependentControls();
    ShowStates();
    InvalidateRect(m_window, nullptr, TRUE);
}

void CGenInfoPage::LoadSettings() {
    const int values[GroupCount] = {static_cast<int>(m_status.quality) - 1, m_status.resolution == 1 ? 0 : 1,
                                    m_status.closeUp() ? 0 : 1, static_cast<int>(m_status.flash),
                                    m_status.selfTimer ? 0 : 1};
    for (int g = 0; g < GroupCount; ++g)
        if (!m_changed[g]) CheckIndex(*kGroupRadios[g], values[g]);
}

void CGenInfoPage::EnableDependentControls() {
    EnableAll({IDC_CLOSEUP_BOX, IDC_CLOSEUP_ON, IDC_CLOSEUP_OFF}, m_status.zoomAllowed());
    EnableAll({IDC_REDEYE_BOX, IDC_REDEYE_AUTO, IDC_REDEYE_FILL}, !Checked(IDC_CLOSEUP_ON));
}

void CGenInfoPage::ShowStates() {
    Enable(IDC_AC_POWER, m_status.mains);
    Enable(IDC_BATTERY_FULL, !m_status.mains && m_status.battery == 0);
    Enable(IDC_BATTERY_LOW, !m_status.mains && m_status.battery == 1);
    Enable(IDC_CARD_INSERTED, m_status.card);
    Enable(IDC_CARD_REMOVED, !m_status.card);
}

void CGenInfoPage::OnCommand(WORD id, WORD code) {
    if (id == IDC_COMM_SETTINGS && code == BN_CLICKED) {
        OnCommunicationSettings();
        return;
    }
    Group group;
    int index = GroupOf(id, &group);
    if (index < 0 || code != BN_CLICKED) return;
    CheckIndex(*kGroupRadios[group], index);
    OnGroupClicked(group);
}

void CGenInfoPage::OnGroupClicked(Group group) {
    m_changed[group] = true;
    if (group == CloseUp && Checked(IDC_CLOSEUP_ON)) {
        int flash = CheckedIndex(kFlashRadios);
        if (flash == kRedEyeAuto || flash == kRedEyeFill) {
            CheckIndex(kFlashRadios, flash == kRedEyeAuto ? kPlainAuto : kPlainFill);
            m_changed[Flash] = true;
        }
    }
    EnableDependentControls();
    SetModified();
}

bool CGenInfoPage::WriteGroup(Group group) {
    int index = CheckedIndex(*kGroupRadios[group]);
    switch (group) {
    case Quality: return m_folder->SetCameraQuality(static_cast<DWORD>(index + 1)) == 1;
    case Resolution: return m_folder->SetCameraResolution(index == 0 ? 1 : 0) == 1;
    case CloseUp: return m_folder->SetCameraZoom(index == 0 ? kCloseUpZoom : kCloseUpOffZoom) == 1;
    case Flash: return m_folder->SetCameraFlash(static_cast<DWORD>(index)) == 1;
    case SelfTimer: return m_folder->SetCameraSelfTimer(index == 0 ? 1 : 0) == 1;
    default: return false;
    }
}

bool CGenInfoPage::OnApply() {
    for (int g = 0; g < GroupCount; ++g) {
        if (!m_changed[g]) continue;
        if (!WriteGroup(static_cast<Group>(g))) {
            mounter::ShowMessage(m_window, IDS_CAMERA_NOT_FOUND, MB_OK | MB_ICONERROR);
            return false;
        }
        m_changed[g] = false;
    }
    m_status = ReadCameraStatus(m_folder);
    InvalidateRect(m_window, nullptr, TRUE);
    return true;
}

void CGenInfoPage::OnCommunicationSettings() {
    INT_PTR result = RunSerialConfigLoop(m_folder, m_window);
    if (result == IDOK) {
        m_status = ReadCameraStatus(m_folder);
        InvalidateRect(m_window, nullptr, TRUE);
    } else if (!m_folder->GetConnectedFlag(FALSE)) {
        PropSheet_PressButton(GetParent(m_window), PSBTN_CANCEL);
    }
}

void CGenInfoPage::OnRightDoubleClick() {
    HWND label = GetDlgItem(m_window, IDC_VERSION_LABEL);
    ShowWindow(label, IsWindowVisible(label) ? SW_HIDE : SW_SHOW);
}

POINT CGenInfoPage::PanelOrigin() const {
    RECT panel = kPanelUnits;
    MapDialogRect(m_window, &panel);
    return {panel.left, panel.top};
}

void CGenInfoPage::OnPaint(HDC dc) { DrawStatusPanel(dc, PanelOrigin(), m_status); }

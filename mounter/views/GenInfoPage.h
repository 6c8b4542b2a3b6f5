// "Camera Settings": the camera's status panel and its quality, resolution, close-up, flash and
// self-timer settings, written to the camera on Apply; battery and card states; the serial settings.
#pragma once

#include "CameraStatusFields.h"
#include "SheetPage.h"

#include <array>

class CGenInfoPage : public CSheetPage {
public:
    explicit CGenInfoPage(CMounterNameSpaceFolder* folder);

    // The settings groups, in the order Apply writes them.
    enum Group { Quality, Resolution, CloseUp, Flash, SelfTimer, GroupCount };

protected:
    void OnSetActive() override;
    bool OnApply() override;
    void OnCommand(WORD id, WORD code) override;
    void OnPaint(HDC dc) override;
    void OnRightDoubleClick() override;

private:
    void LoadSettings();
    void ShowStates();
    void EnableDependentControls();
    void OnGroupClicked(Group group);
    void OnCommunicationSettings();
    // Writes one group's value to the camera: false when the camera did not take it.
    bool WriteGroup(Group group);
    // Where the status panel is drawn, in the page's client coordinates.
    POINT PanelOrigin() const;

    CameraStatusFields m_status;
    std::array<bool, GroupCount> m_changed = {};
};

// "Capture": takes a picture and shows its thumbnail, name and date; the exposure compensation,
// zoom and file format of new pictures and the camera clock, written on Apply; deleting pictures.
#pragma once

#include "CameraStatusFields.h"
#include "SheetPage.h"
#include "ThumbNailImage.h"

#include <array>
#include <memory>

class CCaptureModePage : public CSheetPage {
public:
    explicit CCaptureModePage(CMounterNameSpaceFolder* folder);
    ~CCaptureModePage() override;

    // The values Apply writes, in its order.
    enum Field { Zoom, Exposure, Format, Clock, FieldCount };

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    bool OnApply() override;
    void OnCommand(WORD id, WORD code) override;
    void OnPaint(HDC dc) override;

private:
    void Reload();
    void LoadZoomList();
    void ShowCounts();
    bool WriteField(Field field);
    void OnTakePicture();
    void ShowLastPicture();
    void OnDeleteSelected();
    void OnDeleteAll();
    void MarkChanged(Field field);

    CameraStatusFields m_status;
    std::array<bool, FieldCount> m_changed = {};
    std::unique_ptr<CThumbNailImage> m_thumbnail;
};

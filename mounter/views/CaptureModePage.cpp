#include "CaptureModePage.h"

#include "CameraFileFlows.h"
#include "CameraHandles.h"
#include "CaptureChoices.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "PageResources.h"

#include <new>

namespace {

constexpr DWORD kFlashPix = 4;
constexpr DWORD kJpeg = 3;
constexpr DWORD kAllPictures = 65535;
constexpr int kPictureTop = 20;   // below the Picture View box's title
constexpr int kZoomEntries = sizeof kZoomChoices / sizeof kZoomChoices[0];

void AddChoice(HWND combo, const CaptureChoice& choice) {
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mounter::LoadText(choice.text).c_str()));
    SendMessageA(combo, CB_SETITEMDATA, index, choice.value);
}

int ComboCount(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)); }

void ShowError(HWND owner, UINT id) { mounter::ShowMessage(owner, id, MB_OK | MB_ICONERROR); }

}  // namespace

CCaptureModePage::CCaptureModePage(CMounterNameSpaceFolder* folder) : CSheetPage(folder, IDD_CAPTURE_PAGE) {}

CCaptureModePage::~CCaptureModePage() = default;

void CCaptureModePage::OnInitDialog() {
    HWND exposure = GetDlgItem(m_window, IDC_EXPOSURE_LIST);
    for (const CaptureChoice& choice : kExposureChoices) AddChoice(exposure, choice);
}

void CCaptureModePage::OnSetActive() {
    m_status = ReadCameraStatus(m_folder);
    if (m_status.valid) Reload();
}

void CCaptureModePage::Reload() {
    LoadZoomList();
    if (!m_changed[Exposure])
        SendDlgItemMessageA(m_window, IDC_EXPOSURE_LIST, CB_SETCURSEL, ExposurePosition(m_status.exposure), 0);
    if (!m_changed[Format]) {
        Check(IDC_FORMAT_FLASHPIX, m_status.format == kFlashPix);
        Check(IDC_FORMAT_JPEG, m_status.format != kFlashPix);
    }
    ShowCounts();
}

void CCaptureModePage::LoadZoomList() {
    HWND zoom = GetDlgItem(m_window, IDC_ZOOM_LIST);
    if (!m_status.zoomAllowed()) {
        SendMessageA(zoom, CB_RESETCONTENT, 0, 0);
        EnableAll({IDC_ZOOM_BOX, IDC_ZOOM_LABEL, IDC_ZOOM_LIST}, false);
        return;
    }
    if (ComboCount(zoom) == 0)
        for (const CaptureChoice& choice : kZoomChoices) AddChoice(zoom, choice);
    bool closeUp = m_status.closeUp();
    if (closeUp && ComboCount(zoom) == kZoomEntries) AddChoice(zoom, kCloseUpChoice);
    if (!closeUp && ComboCount(zoom) > kZoomEntries) SendMessageA(zoom, CB_DELETESTRING, kZoomEntries, 0);
    EnableAll({IDC_ZOOM_BOX, IDC_ZOOM_LABEL, IDC_ZOOM_LIST}, !closeUp);
    if (!m_changed[Zoom] || closeUp) SendMessageA(zoom, CB_SETCURSEL, m_status.zoom, 0);
}

void CCaptureModePage::ShowCounts() {
    SetNumber(IDC_PICTURES_TAKEN, static_cast<long>(m_status.taken));
    SetNumber(IDC_PICTURES_REMAINING, static_cast<long>(m_status.remaining));
}

void CCaptureModePage::MarkChanged(Field field) {
    m_changed[field] = true;
    SetModified();
}

void CCaptureModePage::OnCommand(WORD id, WORD code) {
    if (code == CBN_SELCHANGE && (id == IDC_ZOOM_LIST || id == IDC_EXPOSURE_LIST))
        return MarkChanged(id == IDC_ZOOM_LIST ? Zoom : Exposure);
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_FORMAT_FLASHPIX:
    case IDC_FORMAT_JPEG: MarkChanged(Format); break;
    case IDC_SET_CLOCK: MarkChanged(Clock); break;
    case IDC_TAKE_PICTURE: OnTakePicture(); break;
    case IDC_DELETE_SELECTED: OnDeleteSelected(); break;
    case IDC_DELETE_ALL: OnDeleteAll(); break;
    default: break;
    }
}

bool CCaptureModePage::WriteField(Field field) {
    switch (field) {
    case Zoom:
    case Exposure: {
        HWND combo = GetDlgItem(m_window, field == Zoom ? IDC_ZOOM_LIST : IDC_EXPOSURE_LIST);
        LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (selected == CB_ERR) return true;   // nothing chosen: nothing to write
        DWORD value = static_cast<DWORD>(SendMessageA(combo, CB_GETITEMDATA, selected, 0));
        return (field == Zoom ? m_folder->SetCameraZoom(value) : m_folder->SetCameraExposure(value)) == 1;
    }
    case Format: return m_folder->SetCameraFileFormat(Checked(IDC_FORMAT_FLASHPIX) ? kFlashPix : kJpeg) == 1;
    case Clock: {
        if (!Checked(IDC_SET_CLOCK)) return true;
        SYSTEMTIME now;
        GetLocalTime(&now);
        if (m_folder->SetCameraClock(CameraClockCount(now)) != 1) return false;
        Check(IDC_SET_CLOCK, false);
        return true;
    }
    default: return false;
    }
}

bool CCaptureModePage::OnApply() {
    for (int f = 0; f < FieldCount; ++f) {
        if (!m_changed[f]) continue;
        if (!WriteField(static_cast<Field>(f))) {
            ShowError(m_window, IDS_CAMERA_NOT_FOUND);
            return false;
        }
        m_changed[f] = false;
    }
    return true;
}

void CCaptureModePage::OnTakePicture() {
    m_status = ReadCameraStatus(m_folder);
    if (!m_status.card) return ShowError(m_window, IDS_CARD_REMOVED);
    if (m_status.remaining == 0) return ShowError(m_window, IDS_CARD_FULL);
    if (m_folder->TakeCameraPicture() != 1) return ShowError(m_window, IDS_CAMERA_NOT_FOUND);
    m_status = ReadCameraStatus(m_folder);
    ShowLastPicture();
    if (m_status.valid) Reload();
}

void CCaptureModePage::ShowLastPicture() {
    if (m_status.taken == 0) return;
    DWORD last = m_status.taken - 1;
    mounter::CameraBuffer thumbnail;
    if (m_folder->GetThumbnailByIndex(last, thumbnail.put()) != 1 || !thumbnail) return ShowError(m_window, IDS_CAMERA_NOT_FOUND);
    std::string name;
    LONG time = m_folder->GetPictureInfoAt(last, &name);
    SetText(IDC_PICTURE_NAME, name);
    SetText(IDC_PICTURE_DATE, time == -1 ? std::string() : CameraTimeText(static_cast<DWORD>(time)));
    try {
        m_thumbnail = std::make_unique<CThumbNailImage>(thumbnail.get(), CThumbNailImage::kMosaicBytes);
    } catch (const std::bad_alloc&) {
        m_thumbnail.reset();
    }
    RECT view = ControlRect(IDC_PICTURE_VIEW);
    InvalidateRect(m_window, &view, TRUE);
}

void CCaptureModePage::OnDeleteSelected() {
    m_status = ReadCameraStatus(m_folder);
    if (!m_status.card) return ShowError(m_window, IDS_CARD_REMOVED);
    DeletePicturesFromCard(m_folder, m_window);
    m_status = ReadCameraStatus(m_folder);
    if (m_status.valid) Reload();
}

void CCaptureModePage::OnDeleteAll() {
    m_status = ReadCameraStatus(m_folder);
    if (!m_status.card) return ShowError(m_window, IDS_CARD_REMOVED);
    if (m_status.taken == 0) return;
    if (!ConfirmPictureDeletion(m_window)) return;
    if (m_folder->DeleteAllPictures(kAllPictures) != 1) ShowError(m_window, IDS_CAMERA_NOT_FOUND);
    m_status = ReadCameraStatus(m_folder);
    if (m_status.valid) Reload();
}

void CCaptureModePage::OnPaint(HDC dc) {
    if (!m_thumbnail) return;
    RECT view = ControlRect(IDC_PICTURE_VIEW);
    int x = view.left + (view.right - view.left - CThumbNailImage::kWidth) / 2;
    m_thumbnail->Draw(dc, {x, view.top + kPictureTop});
}

// The folder's camera session: connection settings, opening the camera under the connection
// dialog, closing it, and the status questions.
#include "MounterNameSpaceFolder.h"

#include "AlbumNameTable.h"
#include "CameraHandles.h"
#include "CameraPaths.h"
#include "ConnectDialog.h"
#include "HiddenWindow.h"
#include "MounterResources.h"
#include "MounterMessages.h"
#include "MounterException.h"
#include "RegKey.h"
#include "SerialCamera.h"
#include "pvhost.h"

namespace {

constexpr char kMounterKey[] = "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter";
constexpr DWORD kDefaultSpeed = 57600;
constexpr DWORD kFailedStepPauseMs = 2000;

CameraOpenFunction g_openCamera = OpenCamera;

void WriteSetting(const char* name, DWORD value) {
    pv::RegKey::create(HKEY_LOCAL_MACHINE, kMounterKey, KEY_WRITE).setDword(name, value);
}

}  // namespace

void SetCameraOpener(CameraOpenFunction open) { g_openCamera = open ? open : OpenCamera; }

void CMounterNameSpaceFolder::ReadConnectionSettings(DWORD* port, DWORD* speed) {
    pv::RegKey key = pv::RegKey::open(HKEY_LOCAL_MACHINE, kMounterKey, KEY_QUERY_VALUE);
    *port = key.dword("CommPort").value_or(0);
    *speed = key.dword("Speed").value_or(kDefaultSpeed);
}

DWORD CMounterNameSpaceFolder::WriteCommPort(DWORD port) {
    WriteSetting("CommPort", port);
    DWORD previous = m_port;
    m_port = port;
    return previous;
}

DWORD CMounterNameSpaceFolder::WriteSpeed(DWORD speed) {
    WriteSetting("Speed", speed);
    DWORD previous = m_speed;
    m_speed = speed;
    return previous;
}

bool CMounterNameSpaceFolder::IsSessionOpen() { return m_session && CameraIsConnected(m_session.get()); }

int CMounterNameSpaceFolder::IsCardPresent(BOOL refresh) {
    if (!IsSessionOpen()) return 0;
    return CameraQueryCardPresent(m_session.get(), refresh) ? 1 : 0;
}

DWORD CMounterNameSpaceFolder::GetCameraModelCode() {
    if (!m_session.get()) return 3;
    return static_cast<CCameraDevice*>(m_session.get())->GetModelByte();
}

// A session object whose connection was lost (a failed recovery, a disconnect) is given back and a
// new one opened: the camera library does not reopen an object, and answering 0 for it would leave
// every caller with a session that answers nothing.
int CMounterNameSpaceFolder::ConnectCamera(DWORD statusFlag, HWND parent) {
    if (IsSessionOpen()) {
        m_connected = 1;
        return kCamAlreadyConnected;
    }
    m_connected = 0;
    CloseCamera();
    CMounterHiddenWnd hidden;
    CConnectDialog dialog;
    bool haveDialog = parent ? dialog.Create(parent) : (hidden.Create() && dialog.Create(hidden.Window()));
    if (parent && haveDialog && ShowConnectionProgressSetting()) dialog.Show();
    try {
        m_session.reset(g_openCamera(m_port, m_speed, statusFlag, haveDialog ? ConnectProgressCallback : nullptr,
                                     reinterpret_cast<ULONG_PTR>(&dialog)));
    } catch (const MounterException&) {
        Sleep(kFailedStepPauseMs);
        throw;
    }
    if (!m_session.get()) return ConnectCancelRequested() ? kCamCancelled : kCamOutOfMemory;
    m_connected = 1;
    m_albumNames.reset();
    if (GetCameraModelCode() == 2) LoadAlbumNames();
    return kCamOk;
}

void CMounterNameSpaceFolder::LoadAlbumNames() {
    m_albumNames = std::make_unique<CAlbumNameTable>();
    const std::string fileName = mounter::LoadText(IDS_ALBUM_CTL_NAME);
    if (IsCardPresent(TRUE) && CameraBeginFileAccess(m_session.get()) == kCamOk) {
        ReadAlbumFile(mounter::CardPath() + fileName, CAlbumNameTable::kCard);
        CameraEndFileAccess(m_session.get());   // the bracket is a pair of plain commands: keep it balanced
    }
    if (CameraQueryInternalMemory(m_session.get()))
        ReadAlbumFile(mounter::MemoryPath(MntCameraMemory) + fileName, CAlbumNameTable::kInternal);
}

void CMounterNameSpaceFolder::ReadAlbumFile(const std::string& path, int memory) {
    mounter::CameraBuffer data;
    DWORD size = 0;
    if (CameraReadPictureFile(m_session.get(), path.c_str(), data.put(), &size, nullptr, 0) != kCamOk) return;
    m_albumNames->Parse(static_cast<CAlbumNameTable::Memory>(memory), data.get(), size);
}

int CMounterNameSpaceFolder::CloseCamera() {
    m_session.reset();
    m_connected = 0;
    return 0;
}

int CMounterNameSpaceFolder::ReconnectCamera(HWND parent) {
    if (IsSessionOpen()) CloseCamera();
    return ConnectCamera(1, parent);
}

// The connected flag follows the camera's answer.
int CMounterNameSpaceFolder::RefreshCameraStatus() {
    if (!IsSessionOpen()) {
        m_connected = 0;
        return 0;
    }
    int result = static_cast<int>(CameraReadStatus(m_session.get()));
    m_connected = result == 0 ? 1 : 0;
    return result;
}

int CMounterNameSpaceFolder::GetConnectedFlag(BOOL refresh) {
    if (refresh) RefreshCameraStatus();
    return m_connected;
}

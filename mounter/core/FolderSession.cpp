// The folder's camera session: connection settings, opening the camera under the connection
// dialog, closing it, and the status questions.
#include "MounterNameSpaceFolder.h"

#include "AlbumNameTable.h"
#include "ConnectDialog.h"
#include "HiddenWindow.h"
#include "MounterResources.h"
#include "MounterMessages.h"
#include "MounterException.h"
#include "SerialCamera.h"
#include "pvhost.h"

namespace {

constexpr char kMounterKey[] = "SOFTWARE\\Brisway Orvik Company\\Digital Cameras\\PV360 Mounter";
constexpr DWORD kDefaultSpeed = 57600;
constexpr DWORD kFailedStepPauseMs = 2000;

DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return fallback;
    return value;
}

bool WriteDword(const char* name, DWORD value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMounterKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

}  // namespace

void CMounterNameSpaceFolder::ReadConnectionSettings(DWORD* port, DWORD* speed) {
    *port = 0;
    *speed = kDefaultSpeed;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMounterKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    *port = ReadDword(key, "CommPort", 0);
    *speed = ReadDword(key, "Speed", kDefaultSpeed);
    RegCloseKey(key);
}

DWORD CMounterNameSpaceFolder::WriteCommPort(DWORD port) {
    WriteDword("CommPort", port);
    DWORD previous = m_port;
    m_port = port;
    return previous;
}

DWORD CMounterNameSpaceFolder::WriteSpeed(DWORD speed) {
    WriteDword("Speed", speed);
    DWORD previous = m_speed;
    m_speed = speed;
    return previous;
}

bool CMounterNameSpaceFolder::IsSessionOpen() { return m_session && CameraIsConnected(m_session); }

int CMounterNameSpaceFolder::IsCardPresent(BOOL refresh) {
    if (!IsSessionOpen()) return 0;
    return CameraQueryCardPresent(m_session, refresh) ? 1 : 0;
}

DWORD CMounterNameSpaceFolder::GetCameraModelCode() {
    if (!m_session) return 3;
    return static_cast<CCameraDevice*>(m_session)->GetModelByte();
}

int CMounterNameSpaceFolder::ConnectCamera(DWORD statusFlag, HWND parent) {
    m_connected = 0;
    CMounterHiddenWnd hidden;
    CConnectDialog dialog;
    bool haveDialog = parent ? dialog.Create(parent) : (hidden.Create() && dialog.Create(hidden.Window()));
    if (IsSessionOpen()) return kCamAlreadyConnected;
    if (!m_session) {
        if (parent && haveDialog && ShowConnectionProgressSetting()) dialog.Show();
        try {
            m_session = OpenCamera(m_port, m_speed, statusFlag, haveDialog ? ConnectProgressCallback : nullptr,
                                   reinterpret_cast<ULONG_PTR>(&dialog));
        } catch (const MounterException&) {
            Sleep(kFailedStepPauseMs);
            throw;
        }
    }
    if (!m_session) return ConnectCancelRequested() ? kCamCancelled : kCamOutOfMemory;
    m_connected = 1;
    m_albumNames.reset();
    if (GetCameraModelCode() == 2) LoadAlbumNames();
    return kCamOk;
}

void CMounterNameSpaceFolder::LoadAlbumNames() {
    m_albumNames = std::make_unique<CAlbumNameTable>();
    const std::string fileName = mounter::LoadText(IDS_ALBUM_CTL_NAME);
    if (IsCardPresent(TRUE) && CameraBeginFileAccess(m_session) == kCamOk) {
        ReadAlbumFile(std::string("\\PCCARD\\DCIMAGES") + fileName, CAlbumNameTable::kCard);
        CameraEndFileAccess(m_session);   // the bracket is a pair of plain commands: keep it balanced
    }
    if (CameraQueryInternalMemory(m_session)) ReadAlbumFile(std::string("\\MEMORY") + fileName, CAlbumNameTable::kInternal);
}

void CMounterNameSpaceFolder::ReadAlbumFile(const std::string& path, int memory) {
    BYTE* data = nullptr;
    DWORD size = 0;
    if (CameraReadPictureFile(m_session, path.c_str(), &data, &size, nullptr, 0) != kCamOk) return;
    m_albumNames->Parse(static_cast<CAlbumNameTable::Memory>(memory), data, size);
    FreeCameraBuffer(data);
}

int CMounterNameSpaceFolder::CloseCamera() {
    if (m_session) DestroyCamera(m_session);
    m_session = nullptr;
    m_connected = 0;
    return 0;
}

int CMounterNameSpaceFolder::ReconnectCamera(HWND parent) {
    if (IsSessionOpen()) CloseCamera();
    return ConnectCamera(1, parent);
}

int CMounterNameSpaceFolder::RefreshCameraStatus() {
    if (!IsSessionOpen()) return 0;
    return static_cast<int>(CameraReadStatus(m_session));
}

int CMounterNameSpaceFolder::GetConnectedFlag(BOOL refresh) {
    if (refresh) RefreshCameraStatus();
    return m_connected;
}

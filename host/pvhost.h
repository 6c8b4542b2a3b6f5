// The camera library: OpenCamera makes a connected camera object; the Camera* functions run its
// operations under the machine-wide camera mutex with one retry after recovering the link.
// Whatever the library hands out is freed through it.
#pragma once

#include "CameraDevice.h"
#include "CameraException.h"

class CSerialCamera;

extern "C" {

// Throws CCameraException on failure; null when the progress callback cancelled.
CSerialCamera* OpenCamera(DWORD port, DWORD speed, DWORD readStatus, OpenProgressCallback progress,
                          ULONG_PTR user);
void DestroyCamera(CSerialCamera* camera);
void FreeCameraBuffer(BYTE* buffer);
void FreePictureInfo(CPictureInfo* info);

DWORD CameraConnect(CSerialCamera* camera);
DWORD CameraDisconnect(CSerialCamera* camera);
DWORD CameraResetCamera(CSerialCamera* camera);
DWORD CameraGetLinkStatus(CSerialCamera* camera, COMSTAT* status, DWORD* errorMask, DWORD* lastError,
                          DWORD* location);

DWORD CameraSetLinkSpeed(CSerialCamera* camera);
DWORD CameraReadStatus(CSerialCamera* camera);
DWORD CameraBeginFileAccess(CSerialCamera* camera);
DWORD CameraEndFileAccess(CSerialCamera* camera);
DWORD CameraListDirectory(CSerialCamera* camera, const char* path, BYTE** entries, DWORD* count);
DWORD CameraReadPictureFile(CSerialCamera* camera, const char* path, BYTE** data, DWORD* size,
                            TransferProgressCallback progress, ULONG_PTR user);
DWORD CameraReadFileHead(CSerialCamera* camera, const char* path, DWORD length, BYTE** data,
                         DWORD* lengthOut);
DWORD CameraErasePicture(CSerialCamera* camera, DWORD number);
DWORD CameraEraseFile(CSerialCamera* camera, const char* path);
DWORD CameraFormatCard(CSerialCamera* camera);
DWORD CameraReadThumbnailByNumber(CSerialCamera* camera, DWORD number, BYTE** data,
                                  TransferProgressCallback progress, ULONG_PTR user);
DWORD CameraReadThumbnail(CSerialCamera* camera, const char* path, BYTE** data,
                          TransferProgressCallback progress, ULONG_PTR user);
DWORD CameraSetClock(CSerialCamera* camera, DWORD clock);
DWORD CameraSetExposureCompensation(CSerialCamera* camera, DWORD value);
DWORD CameraSetFileFormat(CSerialCamera* camera, DWORD value);
DWORD CameraSetFlashMode(CSerialCamera* camera, DWORD value);
DWORD CameraSetQuality(CSerialCamera* camera, DWORD value);
DWORD CameraSetResolution(CSerialCamera* camera, DWORD value);
DWORD CameraSetSelfTimer(CSerialCamera* camera, DWORD value);
DWORD CameraSetZoom(CSerialCamera* camera, DWORD value);
DWORD CameraTakePicture(CSerialCamera* camera);
DWORD CameraReadPictureInfo(CSerialCamera* camera, const char* path, CPictureInfo** info);
DWORD CameraReadPictureInfoByNumber(CSerialCamera* camera, DWORD number, CPictureInfo** info);

DWORD CameraQueryCardPresent(CSerialCamera* camera, DWORD refresh);
DWORD CameraQueryInternalMemory(CSerialCamera* camera);
DWORD CameraReadStatusBlock(CSerialCamera* camera, BYTE* buffer);
DWORD CameraIsConnected(CSerialCamera* camera);
DWORD CameraGetStatusByte(CSerialCamera* camera, DWORD offset);
DWORD CameraGetStatusLong(CSerialCamera* camera, DWORD offset);
DWORD CameraGetStatusWord(CSerialCamera* camera, DWORD offset);

}  // extern "C"

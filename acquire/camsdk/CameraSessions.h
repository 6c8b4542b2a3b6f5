// The library's open connections, each behind the session number it wrote into its caller's
// connection record: the pvhost camera object, the speed it runs at and the picture table.
#pragma once

#include "LibraryPtr.h"
#include "PictureTable.h"
#include "pvcamsdk.h"
#include "pvhost.h"

#include <vector>

struct CameraSession {
    pv::LibraryPtr<CSerialCamera, DestroyCamera> camera;
    DWORD baud = 0;
    bool picturesRead = false;
    std::vector<CameraPicture> pictures;
};

// Connects as the record asks (searching ports and speeds) and files the session in the record.
int16_t OpenSession(PvConnection* connection);
// The record's session; null when the record was never opened, was closed or is unreadable.
CameraSession* FindSession(const PvConnection* connection);
// Disconnects and forgets the record's session; false when it had none.
bool CloseSession(PvConnection* connection);

// A pvhost result as a status of this library.
int16_t StatusOf(DWORD cameraResult);

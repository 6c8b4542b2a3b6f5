// The acquire module's connection to the camera through pvcamsdk: connecting with the user's port
// and speed, the status check that follows every status read, and disconnecting. A disk retrieval
// marks the connection as not needed: connecting then opens nothing and succeeds.
#pragma once

#include "AcquirePreferences.h"
#include "pvcamsdk.h"

#include <windows.h>

#include <memory>

namespace acquire {

class CameraConnection {
public:
    CameraConnection();
    CameraConnection(const CameraConnection&) = delete;
    CameraConnection& operator=(const CameraConnection&) = delete;
    ~CameraConnection();

    // False when the records exchanged with the camera library could not be allocated.
    bool allocated() const { return record_ && camera_ && status_ && config_ && clock_; }

    struct Options {
        CameraPreferences preferences;
        bool noDialog = false;        // no Connecting box, no battery question
        bool showConnecting = false;  // the Connecting box for the length of the attempt
        HWND owner = nullptr;         // of the boxes
    };
    // 0 or an error code of the acquire module.
    int Connect(const Options& options);
    void Disconnect();
    bool connected() const { return connected_; }
    void MarkNotNeeded() { notNeeded_ = true; }
    void ClearNotNeeded() { notNeeded_ = false; }

    // PV360_GetStatus and the status check: 0, a camera library status or an error code.
    int ReadStatus(bool noDialog, HWND owner);

    const PvCameraBlock& camera() const { return *camera_; }
    const PvStatusRecord& status() const { return *status_; }
    PvConnection* record() const { return record_.get(); }

private:
    std::unique_ptr<PvConnection> record_;
    std::unique_ptr<PvCameraBlock> camera_;
    std::unique_ptr<PvStatusRecord> status_;
    std::unique_ptr<PvConfig> config_;
    std::unique_ptr<PvConfigClock> clock_;
    std::unique_ptr<char[]> model_;
    std::unique_ptr<char[]> clockText_;
    bool connected_ = false;
    bool notNeeded_ = false;
};

// The status check alone: what a status record means for the acquisition (the battery question is
// asked in dialog mode).
int CheckCameraStatus(const PvStatusRecord& status, bool noDialog, HWND owner);

}  // namespace acquire

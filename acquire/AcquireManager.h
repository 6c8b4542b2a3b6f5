// The acquire module's one process-wide object: the source's callback and transfer limit, the
// pictures retrieved into the dialog and the user's selection of them, the camera connection with
// its preferences, and the dialog while it exists.
#pragma once

#include "AcquireExports.h"
#include "AcquirePreferences.h"
#include "CameraConnection.h"
#include "GlobalMemory.h"
#include "PictureEntry.h"
#include "PortSearch.h"

#include <memory>
#include <string>
#include <vector>

namespace acquire {

class AcquireDialog;

class AcquireManager {
public:
    AcquireManager();
    ~AcquireManager();
    AcquireManager(const AcquireManager&) = delete;
    AcquireManager& operator=(const AcquireManager&) = delete;

    // The instance while the library is loaded.
    static AcquireManager& Instance();
    static void Create();
    static void Destroy();

    // The dialog's exports.
    HWND OpenDialog(HWND parent, int32_t transferLimit, SelectionCallback selected);
    void CloseDialog();
    bool IsDialogMessage(MSG* message);
    AcquireDialog* dialog() const { return dialog_.get(); }
    // The dialog's window has gone: the dialog object goes with it.
    void DialogDestroyed(AcquireDialog* dialog);

    // Acquiring without a dialog: 0 after calling done, 1 on failure.
    uint16_t AcquireWithoutDialog(int32_t transferLimit, NoDialogCallback done);
    bool noDialogMode() const { return noDialogMode_; }

    // The user closed the dialog: the source hears of it once.
    void ReportUserClose();
    // Transfer: builds the selection record and hands it to the source; 0 or an error code.
    int HandOverSelection(bool* accepted);
    // Connects for a camera operation (the Connecting box on the load's first connection only).
    int ConnectCamera(HWND owner);

    std::vector<PictureEntry>& pictures() { return pictures_; }
    // Empties the picture list and the user's selection of it.
    void EmptyPictures();
    // What the picture choosers picked for retrieval (Retrieval's SourceEntry texts).
    std::vector<std::string>& sources() { return sources_; }
    const PictureEntry* Picture(uint32_t number) const;
    int32_t selectedCount() const { return selectedCount_; }
    void SetSelectedCount(int32_t count) { selectedCount_ = count; }
    bool allocationFailed() const { return !connection_.allocated(); }
    CameraConnection& connection() { return connection_; }
    CameraPreferences& preferences() { return preferences_; }
    const PortAvailability& ports() const { return ports_; }
    int32_t transferLimit() const { return transferLimit_; }

private:
    SelectionCallback selectionCallback_ = nullptr;
    bool closing_ = false;
    int32_t transferLimit_ = -1;
    int32_t selectedCount_ = 0;
    SelectionRecord selection_{};
    pv::GlobalBlock selectionNumbers_;
    std::unique_ptr<pv::LockedGlobal> selectionLock_;   // released before the block
    bool noDialogMode_ = false;
    std::vector<PictureEntry> pictures_;
    std::vector<std::string> sources_;
    bool firstConnect_ = true;
    CameraConnection connection_;
    CameraPreferences preferences_;
    PortAvailability ports_;
    std::unique_ptr<AcquireDialog> dialog_;
};

}  // namespace acquire

#include "DiskBrowser.h"

#include "AcquireDialog.h"
#include "AcquireManager.h"
#include "DiscardWarning.h"
#include "DiskChooser.h"
#include "ErrorDisplay.h"
#include "PvresIds.h"
#include "PvresModule.h"
#include "RetrievalLoop.h"

namespace acquire {

int GetDiskPictures(AcquireManager& manager, AcquireDialog& dialog) {
    HWND owner = dialog.window();
    if (!ConfirmDiscardPictures(manager, owner)) return kErrUserCancelled;
    dialog.Refresh();
    std::vector<std::string>& sources = manager.sources();
    sources.clear();
    manager.connection().MarkNotNeeded();
    DiskChooserSettings settings = ReadDiskChooserSettings();
    DiskChooser chooser(PvresString(IDS_PV_FILE_PATTERNS, "*.JPG|*.FPX|"), settings.previousPath, settings.showFileExt);
    INT_PTR answer = chooser.Run(owner);
    WriteDiskChooserSettings(chooser.folder(), chooser.showThumbnail(), chooser.showFileExt());
    if (answer != IDOK && answer != IDCANCEL) return kErrUnexpected;
    if (answer == IDCANCEL) return kErrUserCancelled;
    sources = chooser.chosen();
    if (sources.empty()) return 0;
    dialog.Refresh();
    return RetrieveAll({&sources, &manager.pictures(), nullptr, owner});
}

}  // namespace acquire

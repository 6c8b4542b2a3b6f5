// Copying the dragged items from the camera into the temporary area once the drop has happened, and
// deleting them from the camera after a move.
#include "ImageFileDataSource.h"

#include "CommandSession.h"
#include "CopyProgressDialog.h"
#include "ImageFileDropSource.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "TempArea.h"

bool CImageFileDataSource::CopyOnDrop(size_t scope) {
    if (m_failed) return false;
    if (!m_dropSource->Dropped()) return true;
    size_t delivered = DeliveredCount(scope);
    bool pending = false;
    for (size_t i = 0; i < delivered; ++i) pending = pending || !m_items[i].copied;
    if (!pending) return true;
    // Without a session every item fails to copy below, and the lists then end before the first.
    OpenSessionForCommand(m_folder.get(), m_window);
    if (!HasEnoughTempSpace(scope)) {
        ShowTempSpaceLow();
        m_failed = true;
        return false;
    }
    CopyItemsToTempArea(scope);
    return true;
}

bool CImageFileDataSource::HasEnoughTempSpace(size_t scope) {
    char area[MAX_PATH];
    UINT length = GetTempAreaPath(sizeof area, area);
    if (length == 0 || length > MAX_PATH) return false;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(area, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return false;
    ULONGLONG available = ULONGLONG(sectorsPerCluster) * bytesPerSector * freeClusters;
    ULONGLONG needed = 0;
    for (size_t i = 0; i < DeliveredCount(scope); ++i) {
        const Item& item = m_items[i];
        if (item.copied) continue;
        needed += item.type == MntAlbum ? AlbumBytes(item.id.get()) : item.size;
    }
    return needed < available;
}

// The sum of the sizes in the album's camera directory listing; 0 when it cannot be listed.
ULONGLONG CImageFileDataSource::AlbumBytes(LPCITEMIDLIST album) {
    if (!m_folder->IsSessionOpen()) return 0;
    CSerialCamera* camera = m_folder->Session();
    bool bracketed = m_folder->IsCardPresent(TRUE) != 0;
    if (bracketed && CameraBeginFileAccess(camera) != kCamOk) return 0;
    mounter::CameraBuffer list;
    DWORD count = 0;
    ULONGLONG total = 0;
    if (CameraListDirectory(camera, m_folder->CameraPathOf(album).c_str(), list.put(), &count) == kCamOk)
        for (DWORD i = 0; i < count; ++i) total += itemid::EntrySize(list.get() + i * kDirectoryEntrySize);
    if (bracketed) CameraEndFileAccess(camera);
    return total;
}

void CImageFileDataSource::ShowTempSpaceLow() {
    std::string drive = m_area.substr(0, m_area.find(':') + 1);
    mounter::ShowMessageText(m_window, mounter::FormatText(IDS_TEMP_SPACE_LOW, drive));
}

// Copies the items not yet copied, in order; the first that fails or is cancelled loses its name,
// so that the lists end before it, and the copy stops there.
void CImageFileDataSource::CopyItemsToTempArea(size_t scope) {
    for (size_t i = 0; i < DeliveredCount(scope); ++i) {
        Item& item = m_items[i];
        if (item.copied) continue;
        if (!CopyItem(item)) {
            item.path.clear();
            return;
        }
        item.copied = true;
    }
}

bool CImageFileDataSource::CopyItem(const Item& item) {
    CCopyProgressDialog dialog;
    CCopyProgressDialog* progress = dialog.Create(m_window) ? &dialog : nullptr;
    if (progress) {
        progress->SetFileName(item.path.substr(m_area.size()));
        progress->UpdateData();
    }
    CopyOutcome outcome;
    int result = 0;
    if (item.type == MntAlbum)
        result = m_folder->CopyAlbumToDisk(item.id.get(), m_area.c_str(), &outcome, progress);
    else if (item.type == MntPictureFile || item.type == MntOtherFile)
        result = m_folder->CopyPictureToDisk(item.id.get(), m_area.c_str(), &outcome, progress);
    dialog.Destroy();
    return result == 1;
}

void CImageFileDataSource::DeleteMovedPictures() {
    for (size_t i = 0; i < DeliveredCount(m_items.size()); ++i) {
        const Item& item = m_items[i];
        if (item.type != MntPictureFile && item.type != MntOtherFile) return;
        if (!item.copied) continue;
        m_folder->DeleteCameraFile(m_folder->CameraPathOf(item.id.get()).c_str());
    }
}

#include "AlbumShellView.h"

#include "AlbumView.h"
#include "MemoryThumbView.h"

std::unique_ptr<CMounterViewSupport> CAlbumShellView::CreateListView(CWrapper* container) {
    return std::make_unique<CAlbumView>(this, container);
}

std::unique_ptr<CMounterViewSupport> CAlbumShellView::CreateThumbnailView(CWrapper* container) {
    return std::make_unique<CMemoryThumbView>(this, container);
}

void CAlbumShellView::OpenItem(LPCITEMIDLIST item) { OpenFileItem(item, false); }

bool CAlbumShellView::ReadyForContextMenu(LPCITEMIDLIST) { return ReadyForFileMenu(); }

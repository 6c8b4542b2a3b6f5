#include "AlbumShellView.h"

#include "AlbumView.h"

std::unique_ptr<CMounterViewSupport> CAlbumShellView::CreateListView(CWrapper* container) {
    return std::make_unique<CAlbumView>(this, container);
}

void CAlbumShellView::OpenItem(LPCITEMIDLIST item) { OpenFileItem(item, false); }

bool CAlbumShellView::ReadyForContextMenu(LPCITEMIDLIST) { return ReadyForFileMenu(); }

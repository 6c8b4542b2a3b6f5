#include "MemoryShellView.h"

#include "MemoryView.h"
#include "MemoryThumbView.h"

std::unique_ptr<CMounterViewSupport> CMemoryShellView::CreateListView(CWrapper* container) {
    return std::make_unique<CMemoryView>(this, container);
}

std::unique_ptr<CMounterViewSupport> CMemoryShellView::CreateThumbnailView(CWrapper* container) {
    return std::make_unique<CMemoryThumbView>(this, container);
}

void CMemoryShellView::OpenItem(LPCITEMIDLIST item) { OpenFileItem(item, true); }

bool CMemoryShellView::ReadyForContextMenu(LPCITEMIDLIST) { return ReadyForFileMenu(); }

#include "MemoryShellView.h"

#include "MemoryView.h"

std::unique_ptr<CMounterViewSupport> CMemoryShellView::CreateListView(CWrapper* container) {
    return std::make_unique<CMemoryView>(this, container);
}

void CMemoryShellView::OpenItem(LPCITEMIDLIST item) { OpenFileItem(item, true); }

bool CMemoryShellView::ReadyForContextMenu(LPCITEMIDLIST) { return ReadyForFileMenu(); }

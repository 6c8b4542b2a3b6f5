// A memory's shell view: its albums and pictures, as a list or as thumbnails.
#pragma once

#include "MounterClasses.h"
#include "MounterShellView.h"
#include "ViewResources.h"

class CMemoryShellView final : public CMounterShellView {
public:
    CMemoryShellView(CMounterNameSpaceFolder* folder, HWND owner) : CMounterShellView(folder, owner, CLSID_PV360Memory) {}

    void OpenItem(LPCITEMIDLIST item) override;
    bool ReadyForContextMenu(LPCITEMIDLIST item) override;
    UINT BackgroundMenu() const override { return IDM_CTX_MEMORY_WND; }

protected:
    UINT HelpMenu() const override { return IDM_MEMORY_HELP; }
    UINT ViewMenu() const override { return IDM_MEMORY_VIEW; }
    UINT EditMenu() const override { return IDM_MEMORY_EDIT; }
    std::unique_ptr<CMounterViewSupport> CreateListView(CWrapper* container) override;
    std::unique_ptr<CMounterViewSupport> CreateThumbnailView(CWrapper* container) override;
    bool LevelHasThumbnails() const override { return true; }
};

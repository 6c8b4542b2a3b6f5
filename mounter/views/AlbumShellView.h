// An album's shell view: its pictures, as a list or as thumbnails (they are on the card like the
// memory's own).
#pragma once

#include "MounterClasses.h"
#include "MounterShellView.h"
#include "ViewResources.h"

class CAlbumShellView final : public CMounterShellView {
public:
    CAlbumShellView(CMounterNameSpaceFolder* folder, HWND owner) : CMounterShellView(folder, owner, CLSID_PV360Album) {}

    void OpenItem(LPCITEMIDLIST item) override;
    bool ReadyForContextMenu(LPCITEMIDLIST item) override;
    UINT BackgroundMenu() const override { return IDM_CTX_ALBUM_WND; }

protected:
    UINT HelpMenu() const override { return IDM_ALBUM_HELP; }
    UINT ViewMenu() const override { return IDM_ALBUM_VIEW; }
    UINT EditMenu() const override { return IDM_ALBUM_EDIT; }
    std::unique_ptr<CMounterViewSupport> CreateListView(CWrapper* container) override;
    std::unique_ptr<CMounterViewSupport> CreateThumbnailView(CWrapper* container) override;
    bool LevelHasThumbnails() const override { return true; }
};

// The camera's shell view: its memories, browsed into by a double-click.
#pragma once

#include "MounterClasses.h"
#include "MounterShellView.h"
#include "ViewResources.h"

class CCameraShellView final : public CMounterShellView {
public:
    CCameraShellView(CMounterNameSpaceFolder* folder, HWND owner) : CMounterShellView(folder, owner, CLSID_PV360Camera) {}

    void OpenItem(LPCITEMIDLIST item) override;
    bool ReadyForContextMenu(LPCITEMIDLIST item) override;
    UINT BackgroundMenu() const override { return IDM_CTX_CAMERA_WND; }

protected:
    UINT HelpMenu() const override { return IDM_CAMERA_HELP; }
    UINT ViewMenu() const override { return IDM_CAMERA_VIEW; }
    UINT EditMenu() const override { return IDM_CAMERA_EDIT; }
    std::unique_ptr<CMounterViewSupport> CreateListView(CWrapper* container) override;
};

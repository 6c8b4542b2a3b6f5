// An album's list view: its files, each with the system's picture icon when it has none of its own;
// offers thumbnails, drags its pictures out.
#pragma once

#include "MounterView.h"

class CAlbumView final : public CMounterView {
public:
    CAlbumView(CMounterShellView* shellView, CWrapper* container) : CMounterView(shellView, container, true, true) {}

protected:
    void AddDefaultImages() override;
    int DefaultImage(DWORD type) const override;
    UINT ItemMenu(DWORD type) const override;

private:
    int m_fileImage = -1;
};

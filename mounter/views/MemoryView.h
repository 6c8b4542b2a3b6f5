// A memory's list view: its albums and files; offers thumbnails, drags its pictures out.
#pragma once

#include "MounterView.h"

class CMemoryView final : public CMounterView {
public:
    CMemoryView(CMounterShellView* shellView, CWrapper* container) : CMounterView(shellView, container, true, true) {}

protected:
    void AddDefaultImages() override;
    int DefaultImage(DWORD type) const override;
    // Pictures only: albums are entered from the folder tree, other files have no menu here.
    UINT ItemMenu(DWORD type) const override;

private:
    int m_albumImage = -1;
    int m_fileImage = -1;
};

// The thumbnail view of a memory or an album on the card: its pictures' cells, with the picture
// file's context menu for them and the folder's background menu.
#pragma once

#include "MounterThumbView.h"

class CMemoryThumbView final : public CMounterThumbView {
public:
    CMemoryThumbView(CMounterShellView* shellView, CWrapper* container) : CMounterThumbView(shellView, container) {}

protected:
    UINT ItemMenu(DWORD type) const override;
};

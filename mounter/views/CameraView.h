// The camera's list view: its memories, with the Mounter's memory icons; no thumbnails.
#pragma once

#include "MounterView.h"

class CCameraView final : public CMounterView {
public:
    CCameraView(CMounterShellView* shellView, CWrapper* container) : CMounterView(shellView, container, false, false) {}

protected:
    void AddDefaultImages() override;
    int DefaultImage(DWORD type) const override;
    UINT ItemMenu(DWORD type) const override;

private:
    int m_memoryImage = -1;
    int m_cardImage = -1;
};

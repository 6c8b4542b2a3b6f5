#include "CameraView.h"

#include "MounterResources.h"
#include "ViewResources.h"

void CCameraView::AddDefaultImages() {
    m_memoryImage = AddResourceIcon(IDI_CAMERA_MEMORY);
    m_cardImage = AddResourceIcon(IDI_MEMORY_CARD);
}

int CCameraView::DefaultImage(DWORD type) const {
    return type == MntCameraMemory ? m_memoryImage : type == MntMemoryCard ? m_cardImage : -1;
}

UINT CCameraView::ItemMenu(DWORD type) const {
    return type == MntCameraMemory || type == MntMemoryCard ? IDM_CTX_MEMORY : 0;
}

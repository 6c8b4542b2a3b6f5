#include "MemoryView.h"

#include "MounterMessages.h"
#include "MounterResources.h"
#include "ViewResources.h"

void CMemoryView::AddDefaultImages() {
    m_albumImage = AddResourceIcon(IDI_ALBUM);
    m_fileImage = AddFileTypeIcon(mounter::LoadText(IDS_FAKE_PICTURE_NAME), FILE_ATTRIBUTE_NORMAL);
}

int CMemoryView::DefaultImage(DWORD type) const {
    return type == MntAlbum ? m_albumImage : type == MntPictureFile || type == MntOtherFile ? m_fileImage : -1;
}

UINT CMemoryView::ItemMenu(DWORD type) const { return type == MntPictureFile ? IDM_CTX_IMGFILE : 0; }

#include "AlbumView.h"

#include "MounterMessages.h"
#include "ViewResources.h"

void CAlbumView::AddDefaultImages() {
    m_fileImage = AddFileTypeIcon(mounter::LoadText(IDS_FAKE_PICTURE_NAME), FILE_ATTRIBUTE_NORMAL);
}

int CAlbumView::DefaultImage(DWORD type) const {
    return type == MntPictureFile || type == MntOtherFile ? m_fileImage : -1;
}

UINT CAlbumView::ItemMenu(DWORD type) const {
    return type == MntPictureFile || type == MntOtherFile ? IDM_CTX_IMGFILE : 0;
}

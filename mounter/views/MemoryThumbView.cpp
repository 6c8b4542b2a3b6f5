#include "MemoryThumbView.h"

#include "MounterItemId.h"
#include "MounterResources.h"
#include "ViewResources.h"

UINT CMemoryThumbView::ItemMenu(DWORD type) const { return type == MntPictureFile ? IDM_CTX_IMGFILE : IDM_CTX_ALBUM; }

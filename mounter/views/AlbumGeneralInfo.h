// "General Info" of an album: quality of new pictures, pictures remaining on its memory, and the
// album's own pictures.
#pragma once

#include "SheetPage.h"

class CAlbumGeneralInfo : public CSheetPage {
public:
    // The album folder's last item is the album, the one before it its memory.
    CAlbumGeneralInfo(CMounterNameSpaceFolder* folder, bool answered);

protected:
    void OnInitDialog() override;

private:
    bool m_answered;
};

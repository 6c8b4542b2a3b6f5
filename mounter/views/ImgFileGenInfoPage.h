// "General Info" of a picture file: its resolution and quality from the camera, its size, date,
// time and name from its item.
#pragma once

#include "MounterItemId.h"
#include "SheetPage.h"

class CImgFileGenInfoPage : public CSheetPage {
public:
    // The picture is an item of the folder; the page keeps its own copy.
    CImgFileGenInfoPage(CMounterNameSpaceFolder* folder, LPCITEMIDLIST picture, bool answered);

protected:
    void OnInitDialog() override;

private:
    itemid::OwnedList m_picture;
    bool m_answered;
};

// "General Info" of a memory: resolution and quality of new pictures, pictures remaining and taken.
#pragma once

#include "SheetPage.h"

class CMemoryGenInfoPage : public CSheetPage {
public:
    // memoryType: the memory's item kind (camera memory or memory card); answered: whether the
    // camera answered before the sheet opened.
    CMemoryGenInfoPage(CMounterNameSpaceFolder* folder, DWORD memoryType, bool answered);

protected:
    void OnInitDialog() override;

private:
    DWORD m_memoryType;
    bool m_answered;
};

#include "InfoSheets.h"

#include "AlbumGeneralInfo.h"
#include "ImgFileGenInfoPage.h"
#include "MemoryGenInfoPage.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"

INT_PTR ShowMemoryPropertySheet(CMounterNameSpaceFolder* folder, HWND owner, DWORD memoryType) {
    CMemoryGenInfoPage page(folder, memoryType, folder->m_memorySheetAnswered != 0);
    return RunPropertySheet(owner, memoryType == MntCameraMemory ? IDS_SHEET_MEMORY : IDS_SHEET_CARD, {&page});
}

INT_PTR ShowAlbumPropertySheet(CMounterNameSpaceFolder* folder, HWND owner) {
    CAlbumGeneralInfo page(folder, folder->m_albumSheetAnswered != 0);
    return RunPropertySheet(owner, IDS_SHEET_ALBUM, {&page});
}

INT_PTR ShowPictureFilePropertySheet(CMounterNameSpaceFolder* folder, HWND owner, LPCITEMIDLIST picture) {
    CImgFileGenInfoPage page(folder, picture, folder->m_pictureSheetAnswered != 0);
    return RunPropertySheet(owner, IDS_SHEET_PICTURE, {&page});
}

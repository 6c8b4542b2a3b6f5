#include "StartItemDrag.h"

#include "ComPtr.h"
#include "ImageFileDataSource.h"
#include "ImageFileDropSource.h"
#include "TempArea.h"

int StartItemDrag(CMounterNameSpaceFolder* folder, UINT count, LPCITEMIDLIST* items, HWND window,
                  const std::function<void()>& refreshView) {
    auto dropSource = pv::ComPtr<CImageFileDropSource>::attach(CImageFileDropSource::Create());
    if (!dropSource) return 0;
    auto dataSource =
        pv::ComPtr<CImageFileDataSource>::attach(CImageFileDataSource::Create(folder, window, dropSource.get()));
    if (!dataSource || !dataSource->AddItems(count, items)) return 0;
    EmptyTempArea();
    dropSource->BeginDrag();
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(dataSource.get(), dropSource.get(), DROPEFFECT_COPY, &effect);
    if (effect == DROPEFFECT_MOVE) {
        dataSource->DeleteMovedPictures();
        if (refreshView) refreshView();
    }
    return 1;
}

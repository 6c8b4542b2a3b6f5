#include "StartItemDrag.h"

#include "ImageFileDataSource.h"
#include "ImageFileDropSource.h"
#include "TempArea.h"

#include <memory>

namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using Owned = std::unique_ptr<T, Releaser>;

}  // namespace

int StartItemDrag(CMounterNameSpaceFolder* folder, UINT count, LPCITEMIDLIST* items, HWND window,
                  const std::function<void()>& refreshView) {
    Owned<CImageFileDropSource> dropSource(CImageFileDropSource::Create());
    if (!dropSource) return 0;
    Owned<CImageFileDataSource> dataSource(CImageFileDataSource::Create(folder, window, dropSource.get()));
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

// The data object of a drag out of a Mounter view. It offers the dragged pictures and albums as files
// of the temporary area and renders every format only when asked: nothing is read from the camera
// before the drop has really happened, and then each item is copied into the temporary area once,
// under its own progress dialog, before the target receives the names.
#pragma once

#include "ComObject.h"
#include "ComPtr.h"
#include "ModuleLock.h"
#include "MounterItemId.h"
#include "TaskMemory.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <vector>

class CMounterNameSpaceFolder;
class CImageFileDropSource;

class CImageFileDataSource final : public CComObject<IDataObject> {
public:
    // A new data source with one reference for the folder's items, whose messages and progress
    // dialogs belong to window; null without memory.
    static CImageFileDataSource* Create(CMounterNameSpaceFolder* folder, HWND window, CImageFileDropSource* dropSource);

    // Takes the dragged items (identifiers relative to the folder, in drag order) and prepares what
    // the formats hand out. False when the drag cannot start; string 9005 has then been shown when
    // the temporary area could not be found.
    bool AddItems(UINT count, LPCITEMIDLIST* items);
    // After a drop that the target answered as a move: deletes from the camera the pictures that were
    // copied, walking the delivered items while they are pictures or other files.
    void DeleteMovedPictures();

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override;

private:
    // One dragged item.
    struct Item {
        itemid::OwnedList id;                   // clone of the folder's item
        DWORD type = 0;                         // _MntFileType
        DWORD size = 0;                         // bytes, from the item
        std::string path;                       // in the temporary area; empty: the list of names ends here
        pv::TaskMemory<ITEMIDLIST> areaId;      // relative to the temporary area, for the identifier array
        bool copied = false;
    };
    // The offered formats, in the order of EnumFormatEtc.
    enum Offer { kIdListArray, kFileList, kInDragLoop, kFileName, kFileNameW, kOfferCount };

    CImageFileDataSource(CMounterNameSpaceFolder* folder, HWND window, CImageFileDropSource* dropSource);
    ~CImageFileDataSource() override;

    // Building the drag (ImageFileItems.cpp)
    bool AddItem(LPCITEMIDLIST id);
    bool MakeAreaIds();

    // Rendering (ImageFileRendering.cpp)
    static int OfferOf(const FORMATETC* format);
    static FORMATETC FormatOf(int offer);
    HRESULT Render(int offer, HGLOBAL* block);
    bool Block(int offer, std::vector<BYTE>* bytes);
    std::vector<BYTE> ListBlock(int offer) const;
    std::vector<BYTE> FirstName(bool wide) const;
    size_t DeliveredCount(size_t scope) const;

    // Copying on drop (ImageFileCopies.cpp)
    bool CopyOnDrop(size_t scope);
    bool HasEnoughTempSpace(size_t scope);
    ULONGLONG AlbumBytes(LPCITEMIDLIST album);
    void CopyItemsToTempArea(size_t scope);
    bool CopyItem(const Item& item);
    void ShowTempSpaceLow();

    mounter::ModuleLock m_moduleLock;
    pv::ComPtr<CMounterNameSpaceFolder> m_folder;
    HWND m_window;
    pv::ComPtr<CImageFileDropSource> m_dropSource;
    bool m_wideNames;                        // the system is Windows NT: wide first name and file list
    std::string m_area;                      // the temporary area, ending in "\"
    pv::TaskMemory<ITEMIDLIST> m_areaIdList; // its absolute identifier list
    std::vector<Item> m_items;
    bool m_failed = false;               // the copy could not start: every rendering fails
};

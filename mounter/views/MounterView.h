// The list view of a shell view: a list control showing the folder's items as large or small icons,
// a list or details with four columns, with the selection, sorting, context menus, dragging and
// deleting of the items. The subclasses of the folder levels give the default images and menus.
#pragma once

#include "MounterViewSupport.h"
#include "UserObject.h"
#include "ViewObjects.h"

#include <commctrl.h>

class CMounterView : public CMounterViewSupport {
public:
    ~CMounterView() override;

    bool CreateWindowIn(DWORD listStyle) override;
    void Clear() override;
    HRESULT AddItem(LPCITEMIDLIST item, const std::string& name) override;
    void SelectAll() override;
    void InvertSelection() override;
    std::vector<LPCITEMIDLIST> SelectedItems() const override;
    UINT ShownItemCount() const override;
    ULONGLONG ShownItemBytes() const override;
    void SortItems(DWORD column, DWORD ascending) override;
    bool OnContainerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    static constexpr UINT kChildId = 4000000;

protected:
    CMounterView(CMounterShellView* shellView, CWrapper* container, bool offersThumbnails, bool dragsItems);

    // The default images are added when the image lists are made; answers the image of a type, -1
    // for none.
    virtual void AddDefaultImages() = 0;
    virtual int DefaultImage(DWORD type) const = 0;
    // Adds an icon resource of the module, or the system's icon of a file name, at both sizes;
    // answers the image index, -1 when the lists refuse it.
    int AddResourceIcon(UINT id);
    int AddFileTypeIcon(const std::string& name, DWORD attributes);

    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnViewCommand(UINT command) override;
    LPCITEMIDLIST RememberedItem() const override;

private:
    bool MakeImageLists();
    int AddIcons(pv::UniqueIcon large, pv::UniqueIcon small);
    void InsertColumns();
    int ItemCount() const;
    LPCITEMIDLIST ItemAt(int index) const;
    void SetItemSelected(int index, bool selected);
    void OnItemChanged(const NMLISTVIEW& change);
    void OnRightClick();
    void OnBeginDrag();

    bool m_dragsItems;
    pv::UniqueImageList m_largeImages;
    pv::UniqueImageList m_smallImages;
    int m_defaultImageCount = 0;
    std::vector<ItemCopy> m_itemData;   // what each list item's data points at
    LPCITEMIDLIST m_rememberedData = nullptr;
};

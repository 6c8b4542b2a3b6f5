// What a Mounter shell view tells about its selection to the objects it hands to its hosts.
#pragma once

#include <windows.h>
#include <shlobj.h>

class CMounterViewSelection {
public:
    // The absolute identifier list of the view's folder.
    virtual LPCITEMIDLIST FolderIdList() const = 0;
    virtual UINT SelectedCount() const = 0;
    // The index-th selected item (relative to the folder) in the view's order; null when it is gone.
    virtual LPCITEMIDLIST SelectedItem(UINT index) const = 0;

protected:
    ~CMounterViewSelection() = default;
};

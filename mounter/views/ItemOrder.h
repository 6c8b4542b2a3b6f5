// The orders of the list view's columns: each comparison walks two identifier lists level by level
// and is turned by the column's direction flag; the list control takes the result as a signed
// 16-bit number.
#pragma once

#include <windows.h>
#include <shlobj.h>

struct SortParameters {
    IShellFolder* folder;   // names the items of the first level
    DWORD column;           // 0 Name, 1 Size, 2 Type, 3 Picture Taken On
    DWORD ascending;        // the column's flag: 1 the order as compared, 0 reversed
};

// Negative when a sorts before b, positive after, 0 for equal.
short CompareItems(const SortParameters& sort, LPCITEMIDLIST a, LPCITEMIDLIST b);

// LVM_SORTITEMS's comparison: the items' data are their identifiers, the parameter a SortParameters.
int CALLBACK CompareListItems(LPARAM a, LPARAM b, LPARAM sort);

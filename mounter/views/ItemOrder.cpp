#include "ItemOrder.h"

#include "MounterItemId.h"
#include "MounterNameSpaceFolder.h"

#include <mbstring.h>
#include <shlwapi.h>

#include <string>

namespace {

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

bool IsMemoryType(DWORD type) { return type == MntCameraMemory || type == MntMemoryCard; }

std::string NormalName(IShellFolder* folder, LPCITEMIDLIST item) {
    STRRET name = {};
    char text[MAX_PATH] = "";
    if (folder && SUCCEEDED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name)))
        StrRetToBufA(&name, item, text, sizeof text);
    return text;
}

int CompareNames(IShellFolder* folder, const MounterItemId& a, const MounterItemId& b, LPCITEMIDLIST itemA,
                 LPCITEMIDLIST itemB) {
    if (a.type != b.type && IsMemoryType(a.type) != IsMemoryType(b.type)) return a.type < b.type ? -1 : 1;
    return Sign(lstrcmpA(NormalName(folder, itemA).c_str(), NormalName(folder, itemB).c_str()));
}

int CompareLevel(const SortParameters& sort, LPCITEMIDLIST itemA, LPCITEMIDLIST itemB) {
    const MounterItemId* a = itemid::FromIdList(itemA);
    const MounterItemId* b = itemid::FromIdList(itemB);
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    switch (sort.column) {
    case 1: return a->size > b->size ? -1 : a->size < b->size ? 1 : 0;
    case 2: {
        std::string typeA = ItemTypeText(itemA), typeB = ItemTypeText(itemB);
        return Sign(_mbscmp(reinterpret_cast<const unsigned char*>(typeA.c_str()),
                            reinterpret_cast<const unsigned char*>(typeB.c_str())));
    }
    case 3: return Sign(CompareFileTime(&a->time, &b->time));
    default: return CompareNames(sort.folder, *a, *b, itemA, itemB);
    }
}

}  // namespace

short CompareItems(const SortParameters& sort, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    int result = 0;
    // Deeper levels are named by no folder at hand; only the first is compared by name.
    SortParameters level = sort;
    while (result == 0 && a && b && a->mkid.cb && b->mkid.cb) {
        result = CompareLevel(level, a, b);
        level.folder = nullptr;
        a = itemid::Next(a);
        b = itemid::Next(b);
    }
    if (result == 0 && a && b) {
        bool aEnded = a->mkid.cb == 0, bEnded = b->mkid.cb == 0;
        result = aEnded && !bEnded ? -1 : bEnded && !aEnded ? 1 : 0;
    }
    return static_cast<short>(sort.ascending ? result : -result);
}

int CALLBACK CompareListItems(LPARAM a, LPARAM b, LPARAM sort) {
    return CompareItems(*reinterpret_cast<const SortParameters*>(sort), reinterpret_cast<LPCITEMIDLIST>(a),
                        reinterpret_cast<LPCITEMIDLIST>(b));
}

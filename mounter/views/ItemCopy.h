// Item identifiers held by the views: copies made with the shell allocator, freed when they go.
#pragma once

#include "MounterItemId.h"
#include "TaskMemory.h"

using ItemCopy = pv::TaskMemory<ITEMIDLIST>;

// A copy of a whole identifier list; empty without memory.
inline ItemCopy CopyItem(LPCITEMIDLIST pidl) { return ItemCopy(pidl ? itemid::Clone(pidl) : nullptr); }

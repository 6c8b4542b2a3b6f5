// Window-manager objects owned for a scope: an icon (LoadImage, CreateIconIndirect) destroyed
// with DestroyIcon, and a menu (LoadMenu, CreatePopupMenu) destroyed with DestroyMenu.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

namespace pv {

struct IconTraits : NullHandle<HICON> {
    static void close(HICON h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueResource<IconTraits>;

struct MenuTraits : NullHandle<HMENU> {
    static void close(HMENU h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

}  // namespace pv

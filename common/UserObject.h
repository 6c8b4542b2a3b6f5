// Window-manager objects owned for a scope: an icon (LoadImage, CreateIconIndirect) destroyed
// with DestroyIcon, and a menu (LoadMenu, CreatePopupMenu) destroyed with DestroyMenu.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

namespace pv {

struct IconTraits {
    using Handle = HICON;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueResource<IconTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

}  // namespace pv

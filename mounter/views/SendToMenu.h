// The "Se&nd To" submenu of a context menu: filled from the user's Send To folder with the
// shortcuts that lead to a folder or a program, sorted by name, and drawn by the view with the
// targets' icons (owner-drawn entries).
#pragma once

#include "GdiObject.h"
#include "SendToItem.h"

#include <windows.h>

class CSendToMenu {
public:
    // The menu fills popup, a submenu of the context menu that owns it.
    explicit CSendToMenu(HMENU popup);
    CSendToMenu(const CSendToMenu&) = delete;
    CSendToMenu& operator=(const CSendToMenu&) = delete;

    HMENU Popup() const { return m_popup; }
    // Empties the map and the popup, then adds an entry for each usable shortcut; a Send To folder
    // that cannot be read leaves the popup empty.
    void Build(HWND owner, CSendToItemMap* map);

    // WM_MEASUREITEM and WM_DRAWITEM of an entry of the map.
    void Measure(MEASUREITEMSTRUCT* measure, const CSendToItem& entry) const;
    void Draw(const DRAWITEMSTRUCT& draw, const CSendToItem& entry) const;

private:
    void Insert(UINT command, const CSendToItem& entry, const CSendToItemMap& map);

    HMENU m_popup;
    pv::GdiFont m_font;
};

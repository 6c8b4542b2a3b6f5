// Wine's own explorer.exe in a process of its own, driven from the test as a user would: its
// address bar, its folder tree, mouse messages to its windows, and reading its controls back through
// its memory.
#pragma once

#include "UniqueHandle.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace viewtest {

class WineExplorer {
public:
    // Starts explorer.exe and waits (bounded) for its window; Window() is null when it did not come.
    WineExplorer();
    // Closes the window and waits for the process, which is ended if it does not go.
    ~WineExplorer();
    WineExplorer(const WineExplorer&) = delete;
    WineExplorer& operator=(const WineExplorer&) = delete;

    HWND Window() const { return m_window; }
    // Types the path into the address bar and presses Enter.
    bool Navigate(const std::wstring& path);
    // The first child window of the class, waited for up to ms; null when none came.
    HWND WaitForChild(const char* className, DWORD ms) const;
    // Waits (bounded) until the window's list control holds an item with the text in column 0.
    HWND WaitForListItem(const std::string& text, DWORD ms) const;

    // What a list control of the explorer shows.
    std::vector<std::string> ListColumn(HWND list, int column) const;
    RECT ListItemRect(HWND list, int item) const;
    // Double-clicks an item of a list control with mouse messages.
    void DoubleClickListItem(HWND list, int item) const;
    // Selects the node of the folder tree found by its path of texts from a top node (expanding on
    // the way); false when some text is not there.
    bool SelectTreePath(const std::vector<std::string>& texts) const;

private:
    std::string TreeText(HWND tree, HTREEITEM item) const;
    HTREEITEM FindTreeChild(HWND tree, HTREEITEM parent, const std::string& text) const;
    HTREEITEM WaitForTreeChild(HWND tree, HTREEITEM parent, const std::string& text) const;

    pv::UniqueHandle m_process;
    DWORD m_processId = 0;
    HWND m_window = nullptr;
};

}  // namespace viewtest

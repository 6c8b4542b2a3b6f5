// What the list views and the thumbnail view share: the link to their shell view and container,
// the idle timer, the remembered item, the context menus they track, and the commands and messages
// that every view handles the same way.
#pragma once

#include "ItemCopy.h"
#include "ViewObjects.h"
#include "ViewWindow.h"

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

class CMounterShellView;
class CWrapper;

class CMounterViewSupport : protected CMessageHandler {
public:
    virtual ~CMounterViewSupport() = default;
    CMounterViewSupport(const CMounterViewSupport&) = delete;
    CMounterViewSupport& operator=(const CMounterViewSupport&) = delete;

    HWND Window() const { return m_window.get(); }
    // The window goes now, the object later (when a fill that is under way has returned).
    void DestroyWindow() { m_window.Destroy(); }
    bool OffersThumbnails() const { return m_offersThumbnails; }
    virtual bool IsThumbnailView() const { return false; }

    // Makes the view's window in the container, with the view state's list style.
    virtual bool CreateWindowIn(DWORD listStyle) = 0;
    // Filling: everything shown is discarded, then items are added one by one.
    virtual void Clear() = 0;
    // Adds an item of the folder (relative identifier) under its display name; a failure stops the fill.
    virtual HRESULT AddItem(LPCITEMIDLIST item, const std::string& name) = 0;
    // Sorts the items by a column and its direction (the list views only).
    virtual void SortItems(DWORD, DWORD) {}
    // Which enumeration of the shell view the view shows.
    void MarkFilled(size_t generation) { m_filledWith = generation; }
    bool FilledWith(size_t generation) const { return m_filledWith == generation; }
    // Whether the fill should go on (the thumbnail view stops at the first thumbnail it cannot fetch).
    virtual bool WantsMoreItems() const { return true; }

    virtual void SelectAll() = 0;
    virtual void InvertSelection() = 0;
    // The selected items in the view's order (identifiers relative to the folder).
    virtual std::vector<LPCITEMIDLIST> SelectedItems() const = 0;
    // What the status bar counts when nothing is selected.
    virtual UINT ShownItemCount() const = 0;
    virtual ULONGLONG ShownItemBytes() const = 0;

    // The idle timer on this view's window; with the status flag the status bar is refreshed too.
    void StartIdleTimer(bool withStatus);
    void StopIdleTimer() { m_idleTimer.stop(); }
    bool IdleTimerRunning() const { return m_idleTimer.running(); }
    void ForgetRememberedItem() { m_rememberedItem = -1; }

    // Messages of the container meant for this view (notifications it sent, owner-drawn menus).
    virtual bool OnContainerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    static constexpr UINT_PTR kIdleTimerId = 40000;
    static constexpr UINT kIdleTimeoutMs = 45000;

protected:
    CMounterViewSupport(CMounterShellView* shellView, CWrapper* container, bool offersThumbnails);

    // The messages every view handles alike; the views pass theirs here first.
    bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Work under the wait cursor with the idle timer stopped (and restarted with the status bar);
    // failures of the camera stack and of OLE calls are told to the user, never passed on. It is view
    // work of the shell view: the view may be closed meanwhile, and nothing of it is used afterwards.
    void Guarded(const std::function<void()>& action);
    void RunCommand(UINT command);
    // Double-click: the shell view opens the remembered item.
    void OpenRememberedItem();
    // A command that only this kind of view knows; false when it knows none.
    virtual bool OnViewCommand(UINT) { return false; }
    // The context menu of an item (null: the background) at a point of the screen.
    void TrackContextMenu(UINT menuId, LPCITEMIDLIST item, POINT screen);
    // The item a context menu shows, for the views that choose it by the item's type.
    void ShowContextMenuFor(LPCITEMIDLIST item, POINT screen);
    // The menu a view shows for an item of a type; 0 for none.
    virtual UINT ItemMenu(DWORD type) const = 0;
    // Delete key: the selection, after confirmation.
    void DeleteSelection();
    // Tells a file dialog that the selection changed, and refreshes the status bar.
    void SelectionChanged();
    // The item a double-click opens: the remembered one, when there is one.
    virtual LPCITEMIDLIST RememberedItem() const = 0;

    CMounterShellView* m_shellView;
    CWrapper* m_container;
    int m_rememberedItem = -1;
    int m_contextMenuId = -1;
    ItemCopy m_contextItem;
    HMENU m_trackedMenu = nullptr;
    CViewWindow m_window;

private:
    void OnCameraChanged();
    void OnMenuSelect(UINT command, UINT flags);
    void OnInitMenuPopup(HMENU popup);
    bool OnKey(UINT message, WPARAM key, LPARAM flags);

    bool m_offersThumbnails;
    size_t m_filledWith = 0;
    pv::WindowTimer m_idleTimer{kIdleTimerId};
};

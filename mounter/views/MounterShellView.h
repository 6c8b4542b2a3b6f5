// The shell view of a Mounter folder: what the Explorer or a file dialog shows in its right-hand
// pane. It owns the container window with the list and thumbnail views, the folder's items, the
// menus and toolbar buttons it merges into the browser, the status bar texts, the persisted view
// state and the idle timer that closes the camera session. The subclasses of the three folder
// levels supply their menus and their views.
#pragma once

#include "ComPtr.h"
#include "ItemCopy.h"
#include "ModuleLock.h"
#include "SendToItem.h"
#include "SendToMenu.h"
#include "MounterNameSpaceFolder.h"
#include "MounterViewSelection.h"
#include "MounterViewState.h"
#include "UserObject.h"
#include "Wrapper.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <vector>

class CMounterViewSupport;

class CMounterShellView : public IShellView, public CMounterViewSelection {
public:
    CMounterShellView(const CMounterShellView&) = delete;
    CMounterShellView& operator=(const CMounterShellView&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IOleWindow
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IShellView
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP UIActivate(UINT state) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP CreateViewWindow(IShellView* previous, LPCFOLDERSETTINGS settings, IShellBrowser* browser,
                                  RECT* rect, HWND* window) override;
    STDMETHODIMP DestroyViewWindow() override;
    STDMETHODIMP GetCurrentInfo(LPFOLDERSETTINGS settings) override;
    STDMETHODIMP AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override { return E_NOTIMPL; }
    STDMETHODIMP SaveViewState() override;
    STDMETHODIMP SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemObject(UINT which, REFIID iid, void** out) override;

    // CMounterViewSelection: the active view's selection, for the file dialog's data object.
    LPCITEMIDLIST FolderIdList() const override { return m_folder->IdList(); }
    UINT SelectedCount() const override;
    LPCITEMIDLIST SelectedItem(UINT index) const override;

    // What the views use.
    CMounterNameSpaceFolder* Folder() const { return m_folder.get(); }
    IShellBrowser* Browser() const { return m_browser.get(); }
    ICommDlgBrowser* DialogBrowser() const { return m_dialogBrowser.get(); }
    HWND OwnerWindow() const { return m_owner; }
    MounterViewState& State() { return m_state; }
    const std::vector<ItemCopy>& Items() const { return m_items; }
    CMounterViewSupport* ActiveView() const { return m_activeView; }
    // The other of the two views, when it exists.
    CMounterViewSupport* OtherView() const;

    // Re-enumerates the folder and refills the active view.
    HRESULT RefreshView();
    // Fills a view with the item list: the list in enumeration order and sorted, the thumbnails newest
    // first.
    HRESULT FillView(CMounterViewSupport* view);
    // Commands 1028 to 1032. Throws COleException when the browser refuses the menu; the previous
    // mode is then back.
    void SetViewMode(UINT command);
    // The Arrange Icons commands 1035 to 1038, and a click on a details column header.
    void ArrangeBy(UINT command);
    void SortByColumnClick(int column);
    void ToggleAutoArrange();
    // The browser's status bar: counts and sizes of the active view.
    void UpdateStatusBar();
    // A highlighted menu item: its help text in the status bar.
    void ShowMenuHelp(UINT command);
    // The merged View popup or a background menu's View popup, and an Arrange Icons popup.
    void UpdateViewPopup(HMENU popup);
    void UpdateArrangePopup(HMENU popup);
    // A popup of the browser's menu bar about to open while no context menu is tracked.
    void PrepareBrowserPopup(HMENU popup);
    // A popup of a context menu of resource menuId (rooted at root) about to open.
    virtual void PrepareContextPopup(UINT menuId, HMENU root);
    // The idle timer of the active view: stopped during camera work, restarted after it.
    void StopIdleTimer();
    void RestartIdleTimer(bool withStatus);
    // The folder's camera session (the idle timer's end, the keep-alive).
    void CloseCameraSession();
    void KeepCameraAlive();
    // Drags items of the folder out of window; nothing when the session cannot be opened.
    void DragItems(HWND window, const std::vector<LPCITEMIDLIST>& items);
    // Deletes the items from the camera after the user's confirmation; refreshes both views.
    void DeleteItems(const std::vector<LPCITEMIDLIST>& items);
    // The item commands of the context menus and the folder's Properties (1900 to 1902, 2000 to 2008).
    void RunItemCommand(UINT command, LPCITEMIDLIST contextItem);
    // A double-click on an item of the active view (null: none remembered).
    virtual void OpenItem(LPCITEMIDLIST item) = 0;
    // Whether the context menu of an item (null: the background) may open: the session and the
    // card it needs are there, or the user was told why not.
    virtual bool ReadyForContextMenu(LPCITEMIDLIST item) = 0;
    // The background context menu of the folder level.
    virtual UINT BackgroundMenu() const = 0;
    // A context menu before it is shown: Explore first in an exploring window, "Op&en with..." for
    // a picture no program opens; in a file dialog only its Properties entry.
    void CustomiseContextMenu(UINT menuId, HMENU popup, LPCITEMIDLIST item);
    // The "Se&nd To" submenu of a context menu being shown, its owner-drawn entries, and its
    // commands (false for a command that is none of them).
    void BuildSendToMenu(HMENU popup);
    bool MeasureSendToEntry(MEASUREITEMSTRUCT* measure) const;
    bool DrawSendToEntry(const DRAWITEMSTRUCT& draw) const;
    bool RunSendToCommand(UINT command, const std::vector<LPCITEMIDLIST>& items);
    // Opens a picture (double-click, "&Open") with the program registered for its type, or, when its
    // extension has no key, with the program chosen in the Open With dialog (registered for the type
    // when the user asks), after the selected pictures were copied to the temporary area.
    void OpenPicture(LPCITEMIDLIST item);
    // Copies the active view's selected pictures to the temporary area for a file dialog: 1 when
    // all are there, else the answer of the copy that stopped (2 cancelled, 0 failed).
    int CopySelectedPictures();
    // Backspace: the browser goes up one level.
    void BrowseToParent();
    // Whether the folder lies on the memory card (a card folder or one of its albums).
    bool FolderOnCard() const;

    // Work of the views (a command, a fill) may dispatch messages (message boxes, dialogs, the drag
    // loop), and the browser may close or release the view meanwhile: while any such work runs, the
    // shell view stays alive and closing destroys the views' windows but keeps their objects.
    class ViewWork {
    public:
        explicit ViewWork(CMounterShellView* shellView);
        ~ViewWork();
        ViewWork(const ViewWork&) = delete;
        ViewWork& operator=(const ViewWork&) = delete;

    private:
        CMounterShellView* m_shellView;
    };

protected:
    CMounterShellView(CMounterNameSpaceFolder* folder, HWND owner, const CLSID& folderClass);
    virtual ~CMounterShellView();

    // The level's merged menus.
    virtual UINT HelpMenu() const = 0;
    virtual UINT ViewMenu() const = 0;
    virtual UINT EditMenu() const = 0;
    // The level's views; a null thumbnail view when the level has none.
    virtual std::unique_ptr<CMounterViewSupport> CreateListView(CWrapper* container) = 0;
    virtual std::unique_ptr<CMounterViewSupport> CreateThumbnailView(CWrapper* container);
    virtual bool LevelHasThumbnails() const { return false; }

    // Browsing into an item of the folder (Open and Explore of the context menus).
    void BrowseInto(LPCITEMIDLIST item, bool explore);
    // A file dialog's default command for the selection: true when the dialog took it.
    bool DialogTookDefaultCommand();
    // A double-click in a memory or an album: the session first, the card, the file dialog, then the
    // item by its type; albums stay where they are when albumsStay is set.
    void OpenFileItem(LPCITEMIDLIST item, bool albumsStay);
    // The session (message 9001) and, for a folder on the card, the card (message 9015).
    bool ReadyForFileMenu();

private:
    // Copies the selected pictures and item into the temporary area; true when item's copy is there.
    bool CopyPicturesFor(LPCITEMIDLIST item);
    std::vector<LPCITEMIDLIST> SelectedPictures() const;
    void OpenPictureWithChosenProgram(LPCITEMIDLIST item, const std::string& area);
    int CopyPictures(const std::vector<LPCITEMIDLIST>& pictures);
    // The steps of CreateViewWindow.
    void TakeBrowser(IShellBrowser* browser);
    void LetGoOfFileDialog();
    HRESULT ConnectForView();
    void LoadViewState(LPCFOLDERSETTINGS settings);
    HRESULT CreateActiveView(const RECT& rect);
    CMounterViewSupport* CreateView(bool thumbnails);
    HRESULT EnumerateItems();
    HRESULT RefreshOnce();
    HRESULT AddItemsTo(CMounterViewSupport* view);
    void DestroyViews();

    // Menus and toolbar of activation.
    HRESULT MergeMenus();
    void UnmergeMenus();
    void AddToolbarButtons();
    void UpdateToolbarCheck();
    UINT CurrentModeCommand() const;

    // Switching between the list and the thumbnail view, and the list control's style.
    void ShowView(CMounterViewSupport* view);
    void ApplyListType();
    void SaveColumnWidths();
    void SortList();

    void ShowFolderProperties();
    void ShowItemProperties(LPCITEMIDLIST item);

    LONG m_refs = 1;
    mounter::ModuleLock m_moduleLock;
    std::unique_ptr<CMounterViewSupport> m_thumbView;
    std::unique_ptr<CMounterViewSupport> m_listView;
    pv::UniqueMenu m_sharedMenu;
    bool m_menusMerged = false;
    MounterViewState m_state;
    std::vector<ItemCopy> m_items;
    // Counts the enumerations, so that a view shown again knows whether it shows the latest.
    size_t m_itemsGeneration = 0;
    // A refresh asked for while one runs (a message box of the fill dispatches messages) runs after it.
    bool m_refreshing = false;
    bool m_refreshAgain = false;
    CMounterViewSupport* m_activeView = nullptr;
    const CLSID m_folderClass;
    pv::ComPtr<CMounterNameSpaceFolder> m_folder;
    HWND m_owner;
    pv::ComPtr<IShellBrowser> m_browser;
    pv::ComPtr<ICommDlgBrowser> m_dialogBrowser;
    std::unique_ptr<CWrapper> m_container;
    // Views closed while view work ran: their windows are gone, the objects stay until it returned.
    int m_viewWork = 0;
    std::vector<std::unique_ptr<CMounterViewSupport>> m_closedViews;
    std::unique_ptr<CWrapper> m_closedContainer;
    CSendToItemMap m_sendToItems;
    std::unique_ptr<CSendToMenu> m_sendToMenu;
};

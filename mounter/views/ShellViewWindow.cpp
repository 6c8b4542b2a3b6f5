// The shell view's window from creation to destruction: connecting, enumerating the folder, the
// persisted state, the container with the active view, and filling it.
#include "MounterShellView.h"

#include "DialogSupport.h"
#include "FileDialogHost.h"
#include "MounterException.h"
#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "OpenFileHook.h"
#include "MounterViewSupport.h"
#include "OleException.h"
#include "pvhost.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>

namespace {

constexpr SHCONTF kEnumerationFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
// More entries than a camera directory can hold.
constexpr size_t kMaxItems = 65536;

// The list style of a file dialog's folder settings.
DWORD ListStyleOf(const FOLDERSETTINGS& settings) {
    DWORD style = settings.ViewMode == FVM_SMALLICON ? LVS_SMALLICON
                  : settings.ViewMode == FVM_LIST    ? LVS_LIST
                  : settings.ViewMode == FVM_DETAILS ? LVS_REPORT
                                                     : LVS_ICON;
    if (settings.fFlags & FWF_SINGLESEL) style |= LVS_SINGLESEL;
    if (settings.fFlags & FWF_AUTOARRANGE) style |= LVS_AUTOARRANGE;
    if (settings.fFlags & FWF_NOSCROLL) style |= LVS_NOSCROLL;
    if (settings.fFlags & FWF_ALIGNLEFT) style |= LVS_ALIGNLEFT;
    return style;
}

ULONGLONG PictureDate(LPCITEMIDLIST item) {
    const MounterItemId* id = itemid::FromIdList(item);
    return id ? (ULONGLONG(id->time.dwHighDateTime) << 32) | id->time.dwLowDateTime : 0;
}

}  // namespace

STDMETHODIMP CMounterShellView::CreateViewWindow(IShellView*, LPCFOLDERSETTINGS settings, IShellBrowser* browser,
                                                 RECT* rect, HWND* window) {
    return ViewGuard([&] {
        if (window) *window = nullptr;
        if (!m_folder || !m_owner || !browser) return E_UNEXPECTED;
        TakeBrowser(browser);
        if (HRESULT hr = ConnectForView(); FAILED(hr)) return hr;
        if (HRESULT hr = RefreshView(); FAILED(hr)) return hr;
        LoadViewState(settings);
        RECT area = rect ? *rect : RECT{};
        if (HRESULT hr = CreateActiveView(area); FAILED(hr)) return hr;
        if (HRESULT hr = FillView(m_activeView); FAILED(hr)) return hr;
        if (!m_container) return E_FAIL;   // the browser closed the view while it filled
        RestartIdleTimer(true);
        if (window) *window = m_container->Window();
        return S_OK;
    });
}

void CMounterShellView::TakeBrowser(IShellBrowser* browser) {
    m_browser = pv::ComPtr<IShellBrowser>::share(browser);
    LetGoOfFileDialog();
    m_dialogBrowser = FileDialogOf(browser, m_owner);
    m_folder->SetInFileDialog(m_dialogBrowser.get() != nullptr);
    mounter::SetLastViewInFileDialog(m_dialogBrowser.get() != nullptr);
    if (m_dialogBrowser) AttachFileDialogHook(FileDialogWindow(browser, m_owner), this);
}

void CMounterShellView::LetGoOfFileDialog() {
    if (!m_dialogBrowser) return;
    DetachFileDialogHook(this);
    m_dialogBrowser.reset();
    m_folder->SetInFileDialog(false);
}

HRESULT CMounterShellView::ConnectForView() {
    if (m_folder->IsSessionOpen()) return S_OK;
    int result = kCamCameraError;
    try {
        result = m_folder->ConnectCamera(1, nullptr);
    } catch (const MounterException&) {
        result = kCamCameraError;
    }
    if (result == kCamOk) return S_OK;
    if (result != kCamCancelled) mounter::ShowMessage(m_owner, IDS_CAMERA_NOT_FOUND, MB_OK | MB_ICONERROR);
    return E_FAIL;
}

void CMounterShellView::LoadViewState(LPCFOLDERSETTINGS settings) {
    pv::ComPtr<IStream> stream;
    if (FAILED(m_browser->GetViewStateStream(STGM_READ, stream.put()))) stream.reset();
    m_state = ReadViewState(stream.get(), m_folderClass);
    if (!LevelHasThumbnails()) m_state.thumbnails = 0;
    if (!m_dialogBrowser) return;
    if (m_folder->FolderKind() == MntCameraMemory || m_folder->FolderKind() == MntMemoryCard) {
        m_state.viewMode = FVM_DETAILS;
        m_state.thumbnails = 1;
        m_state.SetListType(LVS_REPORT);
    } else if (settings) {
        m_state.viewMode = settings->ViewMode;
        m_state.folderFlags = settings->fFlags;
        m_state.listStyle = ListStyleOf(*settings);
        m_state.thumbnails = 0;
    }
}

HRESULT CMounterShellView::CreateActiveView(const RECT& rect) {
    DestroyViews();
    m_container = std::make_unique<CWrapper>();
    if (!m_container->Create(m_owner, rect)) return E_OUTOFMEMORY;
    CMounterViewSupport* view = CreateView(m_state.thumbnails != 0);
    if (!view) return E_OUTOFMEMORY;
    m_activeView = view;
    m_container->Show(view);
    SetWindowPos(m_container->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(view->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return S_OK;
}

// The list or the thumbnail view with its window in the container; null when either fails.
CMounterViewSupport* CMounterShellView::CreateView(bool thumbnails) {
    std::unique_ptr<CMounterViewSupport>& slot = thumbnails ? m_thumbView : m_listView;
    if (!slot) {
        std::unique_ptr<CMounterViewSupport> view =
            thumbnails ? CreateThumbnailView(m_container.get()) : CreateListView(m_container.get());
        if (!view || !view->CreateWindowIn(m_state.listStyle)) return nullptr;
        slot = std::move(view);
        if (thumbnails) m_container->SetThumbView(slot.get());
        else m_container->SetListView(slot.get());
    }
    return slot.get();
}

STDMETHODIMP CMounterShellView::DestroyViewWindow() {
    return ViewGuard([&] {
        if (!m_activeView || !m_browser) return E_UNEXPECTED;
        SaveViewState();
        UnmergeMenus();
        DestroyViews();
        m_browser.reset();
        if (m_folder->IsSessionOpen()) m_folder->CloseCamera();
        return S_OK;
    });
}

void CMounterShellView::DestroyViews() {
    if (m_activeView) m_activeView->StopIdleTimer();
    m_activeView = nullptr;
    if (m_container) {
        m_container->SetListView(nullptr);
        m_container->SetThumbView(nullptr);
    }
    if (m_viewWork > 0) {
        for (std::unique_ptr<CMounterViewSupport>* view : {&m_listView, &m_thumbView})
            if (*view) {
                (*view)->DestroyWindow();
                m_closedViews.push_back(std::move(*view));
            }
        if (m_container) m_container->DestroyWindow();
        m_closedContainer = std::move(m_container);
    }
    m_listView.reset();
    m_thumbView.reset();
    m_container.reset();
}

STDMETHODIMP CMounterShellView::Refresh() {
    return ViewGuard([&] { return RefreshView(); });
}

HRESULT CMounterShellView::RefreshView() {
    if (!m_folder) return E_UNEXPECTED;
    if (m_refreshing) {
        m_refreshAgain = true;
        return S_OK;
    }
    m_refreshing = true;
    HRESULT hr = S_OK;
    constexpr int kMaxRounds = 3;
    for (int round = 0; round < kMaxRounds; ++round) {
        m_refreshAgain = false;
        hr = RefreshOnce();
        if (!m_refreshAgain) break;
    }
    m_refreshing = false;
    return hr;
}

HRESULT CMounterShellView::RefreshOnce() {
    HRESULT hr = EnumerateItems();
    if (m_activeView) {
        mounter::WaitCursor wait;
        HRESULT filled = FillView(m_activeView);
        if (SUCCEEDED(hr)) hr = filled;
    }
    RestartIdleTimer(true);
    return hr;
}

HRESULT CMounterShellView::EnumerateItems() {
    m_items.clear();
    ++m_itemsGeneration;
    pv::ComPtr<IEnumIDList> enumerator;
    HRESULT hr = m_folder->ShellFolder()->EnumObjects(m_owner, kEnumerationFlags, enumerator.put());
    if (hr == S_FALSE || (SUCCEEDED(hr) && !enumerator)) return S_OK;
    if (FAILED(hr)) return hr;
    for (size_t guard = 0; guard < kMaxItems; ++guard) {
        ItemCopy item;
        ULONG fetched = 0;
        hr = enumerator->Next(1, item.put(), &fetched);
        if (hr != S_OK || fetched != 1) break;
        if (m_dialogBrowser && m_dialogBrowser->IncludeObject(this, item.get()) == S_FALSE) continue;
        m_items.push_back(std::move(item));
    }
    return hr == S_FALSE || hr == S_OK ? S_OK : hr;
}

HRESULT CMounterShellView::FillView(CMounterViewSupport* view) {
    if (!view) return S_OK;
    ViewWork work(this);
    return AddItemsTo(view);
}

CMounterShellView::ViewWork::ViewWork(CMounterShellView* shellView) : m_shellView(shellView) {
    m_shellView->AddRef();
    ++m_shellView->m_viewWork;
}

CMounterShellView::ViewWork::~ViewWork() {
    if (--m_shellView->m_viewWork == 0) {
        m_shellView->m_closedViews.clear();
        m_shellView->m_closedContainer.reset();
    }
    m_shellView->Release();
}

HRESULT CMounterShellView::AddItemsTo(CMounterViewSupport* view) {
    view->Clear();
    const size_t generation = m_itemsGeneration;
    view->MarkFilled(generation);
    // Copies: a refresh that runs while a message box of the fill is up replaces the item list.
    std::vector<ItemCopy> order;
    for (const ItemCopy& item : m_items) order.push_back(CopyItem(item.get()));
    if (view->IsThumbnailView())
        std::stable_sort(order.begin(), order.end(),
                         [](const ItemCopy& a, const ItemCopy& b) { return PictureDate(a.get()) > PictureDate(b.get()); });
    for (const ItemCopy& copy : order) {
        LPCITEMIDLIST item = copy.get();
        if (!item) return E_OUTOFMEMORY;
        if (!view->WantsMoreItems() || generation != m_itemsGeneration) break;
        STRRET name = {};
        HRESULT hr = m_folder->ShellFolder()->GetDisplayNameOf(item, SHGDN_NORMAL, &name);
        if (FAILED(hr)) return hr;
        char text[MAX_PATH] = "";
        StrRetToBufA(&name, item, text, sizeof text);
        if (HRESULT added = view->AddItem(item, text); FAILED(added)) return added;
    }
    if (!view->IsThumbnailView() && view == m_listView.get()) SortList();
    return S_OK;
}

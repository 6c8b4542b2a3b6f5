#include "TestBrowser.h"

#include "GlobalMemory.h"

#include <commctrl.h>
#include <servprov.h>

namespace viewtest {
namespace {

constexpr char kFrameClass[] = "PvTestBrowserFrame";
constexpr char kDialogClass[] = "#32770";
constexpr UINT kToolbarId = 100;
constexpr UINT kStatusId = 101;
// The browser's own entries of its popups.
constexpr UINT kFileClose = 0xA001;
constexpr UINT kEditCut = 0xA002;
constexpr UINT kViewToolbar = 0xA003;
constexpr UINT kViewOptions = 0xA004;
constexpr UINT kHelpAbout = 0xA005;

HMENU Popup(std::initializer_list<std::pair<UINT, const char*>> entries) {
    HMENU popup = CreatePopupMenu();
    for (const auto& [id, text] : entries)
        AppendMenuA(popup, text ? MF_STRING : MF_SEPARATOR, id, text);
    return popup;
}

void InsertPopup(HMENU menu, UINT id, const char* title, HMENU popup) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.wID = id;
    info.hSubMenu = popup;
    info.dwTypeData = const_cast<char*>(title);
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
}

bool IsViewCommand(UINT id) { return id <= FCIDM_SHVIEWLAST; }

}  // namespace

TestBrowser::TestBrowser(Options options) : m_options(options) { CreateFrame(); }

TestBrowser::~TestBrowser() {
    if (m_dialogProc) SetWindowLongPtrA(Frame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_dialogProc));
    SetWindowLongPtrA(Frame(), GWLP_USERDATA, 0);
}

void TestBrowser::CreateFrame() {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
    const char* className = m_options.dialogWindow ? kDialogClass : kFrameClass;
    m_frame.reset(CreateWindowExA(0, className, "Test browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                  40, 40, 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    SetWindowLongPtrA(Frame(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (m_options.dialogWindow)
        m_dialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Frame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
    m_toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_TOP, 0, 0, 0, 0,
                                Frame(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kToolbarId)),
                                GetModuleHandleA(nullptr), nullptr);
    SendMessageA(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Frame(),
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kStatusId)), GetModuleHandleA(nullptr),
                               nullptr);
    SendMessageA(m_toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageA(m_status, WM_SIZE, 0, 0);
}

RECT TestBrowser::ViewRect() const {
    RECT client = {}, toolbar = {}, status = {};
    GetClientRect(Frame(), &client);
    GetWindowRect(m_toolbar, &toolbar);
    GetWindowRect(m_status, &status);
    client.top += toolbar.bottom - toolbar.top;
    client.bottom -= status.bottom - status.top;
    return client;
}

LRESULT CALLBACK TestBrowser::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* browser = reinterpret_cast<TestBrowser*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (browser) return browser->OnFrameMessage(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The frame hands the view's menu and toolbar commands, and the preparation of its menus, to the
// view's window, as Windows' browsers do.
LRESULT TestBrowser::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (m_activeObject && IsViewCommand(LOWORD(wParam)) && HIWORD(wParam) == 0)
            return SendMessageA(m_activeObject, message, wParam, lParam);
        break;
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
        if (m_activeObject) return SendMessageA(m_activeObject, message, wParam, lParam);
        break;
    default: break;
    }
    if (m_dialogProc) return CallWindowProcA(m_dialogProc, Frame(), message, wParam, lParam);
    return DefWindowProcA(Frame(), message, wParam, lParam);
}

STDMETHODIMP TestBrowser::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IShellBrowser) *out = static_cast<IShellBrowser*>(this);
    else if (iid == IID_ICommDlgBrowser && m_options.commDlgBrowser) *out = static_cast<ICommDlgBrowser*>(this);
    else if (iid == IID_IServiceProvider && m_options.serviceProvider) *out = static_cast<IServiceProvider*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP TestBrowser::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = Frame();
    return S_OK;
}

STDMETHODIMP TestBrowser::InsertMenusSB(HMENU shared, LPOLEMENUGROUPWIDTHS widths) {
    if (!shared || !m_options.offerMenus) return E_FAIL;
    InsertPopup(shared, FCIDM_MENU_FILE, "&File", Popup({{kFileClose, "&Close"}}));
    InsertPopup(shared, FCIDM_MENU_EDIT, "&Edit", Popup({{kEditCut, "Cu&t"}}));
    InsertPopup(shared, FCIDM_MENU_VIEW, "&View",
                Popup({{kViewToolbar, "&Toolbar"}, {FCIDM_MENU_VIEW_SEP_OPTIONS, nullptr}, {kViewOptions, "&Options..."}}));
    InsertPopup(shared, FCIDM_MENU_HELP, "&Help", Popup({{kHelpAbout, "&About"}}));
    if (widths) {
        widths->width[0] = 1;
        widths->width[2] = 2;
        widths->width[4] = 1;
    }
    return S_OK;
}

STDMETHODIMP TestBrowser::SetMenuSB(HMENU shared, HOLEMENU, HWND activeObject) {
    ++m_setMenuCalls;
    if (FAILED(setMenuAnswer)) return setMenuAnswer;
    m_installedMenu = shared;
    m_activeObject = activeObject;
    SetMenu(Frame(), shared);
    return S_OK;
}

STDMETHODIMP TestBrowser::RemoveMenusSB(HMENU shared) {
    ++m_removeMenusCalls;
    for (UINT id : {FCIDM_MENU_FILE, FCIDM_MENU_EDIT, FCIDM_MENU_VIEW, FCIDM_MENU_HELP})
        for (int i = GetMenuItemCount(shared) - 1; i >= 0; --i) {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_SUBMENU;
            if (GetMenuItemInfoA(shared, i, TRUE, &info) && info.wID == id) {
                RemoveMenu(shared, i, MF_BYPOSITION);
                DestroyMenu(info.hSubMenu);
            }
        }
    if (m_installedMenu == shared) {
        SetMenu(Frame(), nullptr);
        m_installedMenu = nullptr;
        m_activeObject = nullptr;
    }
    return S_OK;
}

STDMETHODIMP TestBrowser::SetStatusTextSB(LPCOLESTR text) {
    m_statusTextSB = text ? text : L"";
    return S_OK;
}

STDMETHODIMP TestBrowser::BrowseObject(PCUIDLIST_RELATIVE pidl, UINT flags) {
    m_browses.push_back({pv::TaskMemory<ITEMIDLIST>(pidl ? ILClone(pidl) : nullptr), flags});
    return S_OK;
}

STDMETHODIMP TestBrowser::GetViewStateStream(DWORD mode, IStream** stream) {
    if (!stream) return E_POINTER;
    *stream = nullptr;
    if ((mode & 3) == STGM_READ) {
        if (m_storedState.empty()) return E_FAIL;
        pv::GlobalBlock block = pv::GlobalBlock::alloc(GMEM_MOVEABLE, m_storedState.size());
        if (pv::LockedGlobal bytes{block.get()}) memcpy(bytes.data(), m_storedState.data(), m_storedState.size());
        HRESULT hr = CreateStreamOnHGlobal(block.get(), TRUE, stream);
        if (SUCCEEDED(hr)) block.release();
        return hr;
    }
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, m_writeStream.put());
    if (SUCCEEDED(hr)) *stream = pv::ComPtr<IStream>(m_writeStream).detach();
    return hr;
}

std::vector<BYTE> TestBrowser::WrittenViewState() const {
    HGLOBAL block = nullptr;
    STATSTG stat = {};
    if (!m_writeStream || FAILED(GetHGlobalFromStream(m_writeStream.get(), &block)) ||
        FAILED(m_writeStream->Stat(&stat, STATFLAG_NONAME)))
        return {};
    pv::LockedGlobal bytes(block);
    const BYTE* data = bytes.as<BYTE>();
    return data ? std::vector<BYTE>(data, data + stat.cbSize.QuadPart) : std::vector<BYTE>();
}

STDMETHODIMP TestBrowser::GetControlWindow(UINT id, HWND* window) {
    if (!window) return E_POINTER;
    *window = id == FCW_TOOLBAR ? m_toolbar : id == FCW_STATUS ? m_status : nullptr;
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP TestBrowser::SendControlMsg(UINT id, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND control = nullptr;
    if (FAILED(GetControlWindow(id, &control))) return E_FAIL;
    LRESULT answer = SendMessageA(control, message, wParam, lParam);
    if (result) *result = answer;
    return S_OK;
}

STDMETHODIMP TestBrowser::SetToolbarItems(LPTBBUTTONSB buttons, UINT count, UINT) {
    SendMessageA(m_toolbar, TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons));
    return S_OK;
}

std::string TestBrowser::StatusPart(int part) const {
    char text[256] = "";
    SendMessageA(m_status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<int> TestBrowser::StatusParts() const {
    int parts[8] = {};
    int count = static_cast<int>(SendMessageA(m_status, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(parts)));
    return std::vector<int>(parts, parts + count);
}

STDMETHODIMP TestBrowser::OnDefaultCommand(IShellView*) {
    ++m_defaultCommands;
    return defaultCommandAnswer;
}

STDMETHODIMP TestBrowser::OnStateChange(IShellView*, ULONG change) {
    m_stateChanges.push_back(change);
    return S_OK;
}

STDMETHODIMP TestBrowser::IncludeObject(IShellView*, PCUITEMID_CHILD item) {
    return !includeObject || includeObject(item) ? S_OK : S_FALSE;
}

STDMETHODIMP TestBrowser::QueryService(REFGUID, REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
}

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start >= ms) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (true);
}

}  // namespace viewtest

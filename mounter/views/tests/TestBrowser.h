// A shell browser of the tests' own: a frame window with a menu bar, a toolbar and a status bar,
// that serves a shell view what Windows' browsers serve and Wine's stub: menu merging
// (InsertMenusSB, SetMenuSB, RemoveMenusSB), the toolbar and the status bar through SendControlMsg,
// SetStatusTextSB and a view state stream. It can pose as a common file dialog (ICommDlgBrowser and
// IServiceProvider on a dialog window) or as Wine's explorer browser (ICommDlgBrowser alone), and
// records what the view asks of it.
#pragma once

#include "ComPtr.h"
#include "TaskMemory.h"
#include "ViewObjects.h"

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

namespace viewtest {

struct BrowserOptions {
    bool commDlgBrowser = false;    // answers ICommDlgBrowser
    bool serviceProvider = false;   // answers IServiceProvider
    bool dialogWindow = false;      // the frame is of the dialog class
    bool offerMenus = true;         // InsertMenusSB inserts File, Edit, View and Help
};

class TestBrowser : public IShellBrowser, public ICommDlgBrowser, public IServiceProvider {
public:
    using Options = BrowserOptions;
    // A real file dialog's browser, and what Wine's explorer browser answers.
    static Options FileDialog() { return {true, true, true, true}; }
    static Options WineExplorerLike() { return {true, false, false, true}; }

    explicit TestBrowser(Options options = Options());
    ~TestBrowser();
    TestBrowser(const TestBrowser&) = delete;
    TestBrowser& operator=(const TestBrowser&) = delete;

    HWND Frame() const { return m_frame.get(); }
    HWND Toolbar() const { return m_toolbar; }
    HWND StatusBar() const { return m_status; }
    // The rectangle a view gets: the frame's client area between toolbar and status bar.
    RECT ViewRect() const;
    // References that others hold on the browser.
    LONG References() const { return m_refs; }

    // What the view did.
    HMENU InstalledMenu() const { return m_installedMenu; }
    HWND ActiveObject() const { return m_activeObject; }
    int SetMenuCalls() const { return m_setMenuCalls; }
    int RemoveMenusCalls() const { return m_removeMenusCalls; }
    std::wstring StatusTextSB() const { return m_statusTextSB; }
    std::string StatusPart(int part) const;
    std::vector<int> StatusParts() const;
    // The view state record the view wrote last (empty when none).
    std::vector<BYTE> WrittenViewState() const;
    // The record the next read of the view state stream gives (none: the read fails).
    void SetStoredViewState(std::vector<BYTE> record) { m_storedState = std::move(record); }
    struct Browse {
        pv::TaskMemory<ITEMIDLIST> pidl;   // absolute; null for a relative move (SBSP_PARENT)
        UINT flags;
    };
    const std::vector<Browse>& Browses() const { return m_browses; }
    const std::vector<ULONG>& StateChanges() const { return m_stateChanges; }
    int DefaultCommands() const { return m_defaultCommands; }

    // Behaviour the tests choose.
    HRESULT setMenuAnswer = S_OK;
    HRESULT defaultCommandAnswer = S_FALSE;
    std::function<bool(LPCITEMIDLIST)> includeObject;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&m_refs); }
    // IOleWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IShellBrowser
    STDMETHODIMP InsertMenusSB(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenuSB(HMENU shared, HOLEMENU, HWND activeObject) override;
    STDMETHODIMP RemoveMenusSB(HMENU shared) override;
    STDMETHODIMP SetStatusTextSB(LPCOLESTR text) override;
    STDMETHODIMP EnableModelessSB(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
    STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE pidl, UINT flags) override;
    STDMETHODIMP GetViewStateStream(DWORD mode, IStream** stream) override;
    STDMETHODIMP GetControlWindow(UINT id, HWND* window) override;
    STDMETHODIMP SendControlMsg(UINT id, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    STDMETHODIMP QueryActiveShellView(IShellView**) override { return E_NOTIMPL; }
    STDMETHODIMP OnViewWindowActive(IShellView*) override { return S_OK; }
    STDMETHODIMP SetToolbarItems(LPTBBUTTONSB buttons, UINT count, UINT flags) override;
    // ICommDlgBrowser
    STDMETHODIMP OnDefaultCommand(IShellView*) override;
    STDMETHODIMP OnStateChange(IShellView*, ULONG change) override;
    STDMETHODIMP IncludeObject(IShellView*, PCUITEMID_CHILD item) override;
    // IServiceProvider
    STDMETHODIMP QueryService(REFGUID, REFIID, void** out) override;

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateFrame();

    Options m_options;
    LONG m_refs = 0;
    pv::UniqueWindow m_frame;
    WNDPROC m_dialogProc = nullptr;
    HWND m_toolbar = nullptr;
    HWND m_status = nullptr;
    HMENU m_installedMenu = nullptr;
    HWND m_activeObject = nullptr;
    int m_setMenuCalls = 0;
    int m_removeMenusCalls = 0;
    std::wstring m_statusTextSB;
    std::vector<BYTE> m_storedState;
    pv::ComPtr<IStream> m_writeStream;
    std::vector<Browse> m_browses;
    std::vector<ULONG> m_stateChanges;
    int m_defaultCommands = 0;
};

// Lets the thread's windows handle what is waiting for them, for about ms milliseconds.
void PumpMessages(DWORD ms);

}  // namespace viewtest

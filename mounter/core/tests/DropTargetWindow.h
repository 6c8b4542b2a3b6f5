// A drop target of the tests' own over the whole screen, with the mouse in its middle: a drag that
// starts while no button is down drops there at once, and the target takes the files as a shell
// folder would.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace transfertest {

// Accepts copies and asks for the file list at the drop.
class RecordingDropTarget : public IDropTarget {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    // The test owns the target; the drag machinery's references only need counting.
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&m_refs); }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override;
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override;

    std::optional<std::vector<std::string>> dropped;   // set by a drop: the paths it received

private:
    LONG m_refs = 0;
};

// A topmost window over the whole screen with the mouse in its middle, registered as the target.
class TargetWindow {
public:
    explicit TargetWindow(IDropTarget* target);
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    HRESULT Registered() const { return m_registered; }
    HWND Window() const { return m_window; }

private:
    HWND m_window;
    HRESULT m_registered;
};

}  // namespace transfertest

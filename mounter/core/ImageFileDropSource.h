// The drop source of a drag out of a Mounter view. It remembers whether the drag ended in a drop, so
// that the data source copies pictures from the camera only for a real drop.
#pragma once

#include "ComObject.h"
#include "ModuleLock.h"

#include <windows.h>
#include <ole2.h>

class CImageFileDropSource final : public CComObject<IDropSource> {
public:
    // A new drop source with one reference; null without memory.
    static CImageFileDropSource* Create();

    // Called as the drag begins: the flag is cleared and the mouse button that drags is noted.
    void BeginDrag();
    // Set once the drag loop has been told that the drop happens.
    bool Dropped() const { return m_dropped; }

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

private:
    CImageFileDropSource() = default;
    ~CImageFileDropSource() override = default;

    mounter::ModuleLock m_moduleLock;
    bool m_dropped = false;
    DWORD m_dropButton = MK_LBUTTON;     // releasing it drops
    DWORD m_cancelButton = MK_RBUTTON;   // pressing it as well cancels
};

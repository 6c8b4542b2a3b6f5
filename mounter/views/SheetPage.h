// The C++ object behind one page of a plain Win32 property sheet: the page's dialog procedure
// passes the messages a page cares about to virtual operations, and small helpers read and set
// the page's controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

class CMounterNameSpaceFolder;

class CSheetPage {
public:
    CSheetPage(CMounterNameSpaceFolder* folder, UINT templateId) : m_folder(folder), m_templateId(templateId) {}
    virtual ~CSheetPage() = default;
    CSheetPage(const CSheetPage&) = delete;
    CSheetPage& operator=(const CSheetPage&) = delete;

    // A page for PropertySheet; the sheet destroys it, this object must outlive the sheet.
    HPROPSHEETPAGE CreatePage();
    HWND Window() const { return m_window; }

protected:
    virtual void OnInitDialog() {}
    virtual void OnSetActive() {}
    // False keeps the sheet open.
    virtual bool OnApply() { return true; }
    virtual void OnCommand(WORD id, WORD code) { (void)id, (void)code; }
    virtual void OnPaint(HDC dc) { (void)dc; }
    virtual void OnRightDoubleClick() {}

    void SetModified() const;
    void SetText(int id, const std::string& text) const;
    void SetNumber(int id, long value) const;
    void Enable(int id, bool enabled) const;
    void EnableAll(std::initializer_list<int> ids, bool enabled) const;
    bool Checked(int id) const;
    void Check(int id, bool checked) const;
    // The radio buttons of a group by index: the checked one (-1 for none), and checking one alone.
    int CheckedIndex(const std::vector<int>& ids) const;
    void CheckIndex(const std::vector<int>& ids, int index) const;
    // The rectangle of a control in the page's client coordinates.
    RECT ControlRect(int id) const;

    CMounterNameSpaceFolder* m_folder;
    HWND m_window = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR* header);
    void Paint();

    UINT m_templateId;
};

// Shows a modal sheet of the pages with the caption of string captionId: the result of PropertySheet.
INT_PTR RunPropertySheet(HWND owner, UINT captionId, const std::vector<CSheetPage*>& pages);

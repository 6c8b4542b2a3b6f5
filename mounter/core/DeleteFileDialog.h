// "Delete Selected Files From Camera": a save-style file dialog in which the user picks the picture
// files to delete from the camera.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CDeleteFileDialog {
public:
    explicit CDeleteFileDialog(HWND owner) : m_owner(owner) {}

    // Shows the dialog; true when the user pressed its "Delete" button.
    bool DoModal();
    // The full paths of the files chosen.
    std::vector<std::string> SelectedPaths() const;

private:
    static constexpr DWORD kNameBufferSize = 7800;
    static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    static void PrepareFrame(HWND frame);

    HWND m_owner;
    std::vector<char> m_names = std::vector<char>(kNameBufferSize);
};

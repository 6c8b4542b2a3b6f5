// pvres.dll loaded once for the tests, and its dialogs created hidden to read their controls back.
#pragma once

#include "UniqueModule.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace pvrestest {

inline const pv::UniqueModule& Pvres() {
    static pv::UniqueModule module = pv::UniqueModule::load("pvres.dll");
    return module;
}

// A dialog of pvres created hidden, destroyed when it goes.
class HiddenDialog {
public:
    explicit HiddenDialog(int id) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        window_ = CreateDialogParamA(Pvres().get(), MAKEINTRESOURCEA(id), nullptr, Proc, 0);
    }
    ~HiddenDialog() {
        if (window_) DestroyWindow(window_);
    }
    HiddenDialog(const HiddenDialog&) = delete;
    HiddenDialog& operator=(const HiddenDialog&) = delete;

    HWND get() const { return window_; }
    std::string Text(int control) const {
        char text[512] = {};
        GetDlgItemTextA(window_, control, text, sizeof text);
        return text;
    }
    std::string Caption() const {
        char text[256] = {};
        GetWindowTextA(window_, text, sizeof text);
        return text;
    }
    std::string ClassOf(int control) const {
        char name[64] = {};
        GetClassNameA(GetDlgItem(window_, control), name, sizeof name);
        return name;
    }
    // The texts of every child window, numbered or not.
    std::vector<std::string> ChildTexts() const {
        std::vector<std::string> texts;
        EnumChildWindows(window_, CollectText, reinterpret_cast<LPARAM>(&texts));
        return texts;
    }
    // The control's size in dialog units.
    SIZE UnitsOf(int control) const {
        RECT r;
        GetWindowRect(GetDlgItem(window_, control), &r);
        RECT unit{0, 0, 1000, 1000};
        MapDialogRect(window_, &unit);
        return {LONG((r.right - r.left) * 1000.0 / unit.right + 0.5), LONG((r.bottom - r.top) * 1000.0 / unit.bottom + 0.5)};
    }

private:
    static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
    static BOOL CALLBACK CollectText(HWND child, LPARAM param) {
        char text[512] = {};
        GetWindowTextA(child, text, sizeof text);
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
        return TRUE;
    }
    HWND window_ = nullptr;
};

}  // namespace pvrestest

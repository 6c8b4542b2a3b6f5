// "Open With": the user picks the program that opens a picture whose type no program opens, from
// the programs of the registered file types or any program on disk, and may ask that the choice
// be registered for the type.
#pragma once

#include "OpenWithPrograms.h"
#include "ViewObjects.h"

#include <windows.h>

#include <string>
#include <vector>

class COpenWith {
public:
    explicit COpenWith(std::string fileName) : m_fileName(std::move(fileName)) {}
    COpenWith(const COpenWith&) = delete;
    COpenWith& operator=(const COpenWith&) = delete;

    // IDOK with a program chosen, IDCANCEL, or -1 when the dialog cannot be shown.
    INT_PTR DoModal(HWND parent);
    const std::string& Program() const { return m_program; }
    // Whether "Always use this program" was ticked when the dialog ended with OK.
    bool RegisterChoice() const { return m_register; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void FillProgramList();
    void AddProgram(const OpenWithProgram& program);
    int ProgramIcon(const std::string& path);
    void OnItemChanged(const NMLISTVIEW& change);
    void OnOK();
    void OnOther();
    void End(INT_PTR result);

    std::string m_fileName;
    std::string m_program;
    bool m_register = false;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    pv::UniqueImageList m_icons;
    std::vector<std::string> m_paths;   // the program of each list item, by the item's parameter
};

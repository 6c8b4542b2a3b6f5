// What the two picture choosers share: the file list, the transfer list with what each of its
// entries stands for, the Add and Remove buttons and OK, enabled as the lists allow, the Show
// Thumbnail box and Help.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace acquire {

class ChooserLists {
public:
    void Attach(HWND dialog);

    // A command of the chooser: the lists do their part, add and selectionChanged are the
    // chooser's own (Add pressed; the file selection or the Show Thumbnail box changed); OK and
    // Cancel end the dialog.
    void OnCommand(int id, int code, const std::function<void()>& add, const std::function<void()>& selectionChanged);
    bool showThumbnail() const { return showThumbnail_; }
    HWND files() const { return files_; }
    HWND transfers() const { return transfers_; }

    // The file list's items, selected, in their order.
    std::vector<int> SelectedFiles() const;
    // Appends an entry to the transfer list unless one already stands for value.
    void AddTransfer(const std::string& text, const std::string& value);
    void RemoveSelectedTransfers();
    void RemoveAllTransfers();
    // What the transfer list's entries stand for, in list order.
    const std::vector<std::string>& transferValues() const { return values_; }
    // Add while a file is selected; Remove, Remove All and OK while the transfer list holds any.
    void UpdateButtons() const;

private:
    HWND dialog_ = nullptr;
    HWND files_ = nullptr;
    HWND transfers_ = nullptr;
    std::vector<std::string> values_;
    bool showThumbnail_ = false;
};

}  // namespace acquire

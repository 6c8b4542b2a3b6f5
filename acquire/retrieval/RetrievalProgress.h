// The progress box of retrieval (dialog 103): opened by the first step, it shows the caption and
// the percentage of each step and notes the user's Cancel; its owner is disabled while it is up.
#pragma once

#include <windows.h>

#include <string>

namespace acquire {

class RetrievalProgress {
public:
    explicit RetrievalProgress(HWND owner) : owner_(owner) {}
    ~RetrievalProgress();
    RetrievalProgress(const RetrievalProgress&) = delete;
    RetrievalProgress& operator=(const RetrievalProgress&) = delete;

    // Shows the step and lets the box see its messages; false once the user has pressed Cancel.
    bool Step(int percent, const std::string& caption);
    // The end: 100 % and the box closed.
    void Finish();
    HWND window() const { return window_; }

    // "Getting Picture " and " [ %d / %d ]" with the picture's place and the count.
    static std::string GettingCaption(size_t number, size_t count);

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Open();
    void Pump();

    HWND owner_;
    HWND window_ = nullptr;
    bool ownerWasEnabled_ = false;
    bool cancelled_ = false;
};

}  // namespace acquire

#include "ThumbnailSelection.h"

#include <algorithm>

namespace acquire {
namespace {

void SelectOnly(std::vector<bool>& selected, int hit) {
    std::fill(selected.begin(), selected.end(), false);
    if (hit >= 0) selected[size_t(hit)] = true;
}

void SelectRun(std::vector<bool>& selected, int hit) {
    int before = -1, after = -1;
    for (int i = hit - 1; i >= 0 && before < 0; --i)
        if (selected[size_t(i)]) before = i;
    for (int i = hit + 1; i < int(selected.size()) && after < 0; ++i)
        if (selected[size_t(i)]) after = i;
    int anchor = before;
    if (before < 0 || (after >= 0 && after - hit < hit - before)) anchor = after;
    std::fill(selected.begin(), selected.end(), false);
    for (int i = std::min(anchor, hit); i <= std::max(anchor, hit); ++i) selected[size_t(i)] = true;
}

}  // namespace

void ApplyClick(std::vector<bool>& selected, int hit, bool control, bool shift) {
    if (hit >= int(selected.size())) hit = -1;
    if (control) {
        if (hit >= 0) selected[size_t(hit)] = !selected[size_t(hit)];
        return;
    }
    bool any = std::find(selected.begin(), selected.end(), true) != selected.end();
    if (shift && any && hit >= 0 && !selected[size_t(hit)]) {
        SelectRun(selected, hit);
        return;
    }
    SelectOnly(selected, hit);
}

}  // namespace acquire

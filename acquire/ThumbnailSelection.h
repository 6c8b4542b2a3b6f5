// Which thumbnails a click in the picture area selects for transfer.
#pragma once

#include <vector>

namespace acquire {

// hit: the clicked thumbnail, or -1 outside every thumbnail. A plain click selects the clicked one
// alone; Ctrl toggles it; Shift (while any is selected) selects the run from the nearer selected
// thumbnail before or after it (the one before on a tie) to it, or the clicked one alone when it is
// itself selected.
void ApplyClick(std::vector<bool>& selected, int hit, bool control, bool shift);

}  // namespace acquire

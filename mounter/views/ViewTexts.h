// The texts the views show for their items and in the browser's status bar.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace viewtext {

// A string of the string table formatted with FormatMessage over numeric inserts (%1!d! ...).
std::string FormatNumbers(UINT id, std::initializer_list<DWORD_PTR> numbers);

// Status bar part 0: "N object(s) selected" while items are selected, else "N object(s)".
std::string ObjectCountText(UINT count, bool selected);
// Status bar part 1: empty for 0, bytes below 1 KB, KB below 1 MB (remainders above 512 round up),
// MB with two truncated decimals above.
std::string TotalSizeText(ULONGLONG bytes);
// The Size column and the thumbnail label: kilobytes, rounded up.
std::string ItemSizeText(DWORD bytes);
// The Picture Taken On column and the thumbnail label: short date and time without seconds.
std::string ItemDateText(const FILETIME& time);

}  // namespace viewtext

#include "ViewTexts.h"

#include "GlobalMemory.h"
#include "MounterMessages.h"
#include "ViewResources.h"

#include <vector>

namespace viewtext {

namespace {

constexpr ULONGLONG kKilobyte = 1024;
constexpr ULONGLONG kMegabyte = 1024 * 1024;

}  // namespace

std::string FormatNumbers(UINT id, std::initializer_list<DWORD_PTR> numbers) {
    std::string pattern = mounter::LoadText(id);
    std::vector<DWORD_PTR> arguments(numbers);
    pv::LocalMemory formatted;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             pattern.c_str(), 0, 0, reinterpret_cast<LPSTR>(formatted.put()), 0,
                             reinterpret_cast<va_list*>(arguments.data()));
    return n && formatted ? std::string(static_cast<const char*>(formatted.get()), n) : std::string();
}

std::string ObjectCountText(UINT count, bool selected) {
    return FormatNumbers(selected ? IDS_SELECTED_COUNT : IDS_OBJECT_COUNT, {count});
}

std::string TotalSizeText(ULONGLONG bytes) {
    if (bytes == 0) return "";
    if (bytes < kKilobyte) return FormatNumbers(IDS_SIZE_BYTES, {static_cast<DWORD_PTR>(bytes)});
    if (bytes < kMegabyte) {
        ULONGLONG kilobytes = bytes / kKilobyte + (bytes % kKilobyte > 512 ? 1 : 0);
        return FormatNumbers(IDS_SIZE_KB, {static_cast<DWORD_PTR>(kilobytes)});
    }
    ULONGLONG hundredths = bytes % kMegabyte * 100 / kMegabyte;
    return FormatNumbers(IDS_SIZE_MB, {static_cast<DWORD_PTR>(bytes / kMegabyte), static_cast<DWORD_PTR>(hundredths)});
}

std::string ItemSizeText(DWORD bytes) {
    char text[32];
    wsprintfA(text, mounter::LoadText(IDS_ITEM_SIZE_KB).c_str(), bytes / 1024 + (bytes % 1024 ? 1 : 0));
    return text;
}

std::string ItemDateText(const FILETIME& time) {
    SYSTEMTIME local = {};
    if (!FileTimeToSystemTime(&time, &local)) return "";
    char date[64] = "", clock[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, clock, sizeof clock);
    char text[160];
    wsprintfA(text, "%s %s", date, clock);
    return text;
}

}  // namespace viewtext

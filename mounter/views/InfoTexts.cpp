#include "InfoTexts.h"

#include "MounterMessages.h"
#include "MounterResources.h"

namespace {

SYSTEMTIME SystemTimeOf(const FILETIME& local) {
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&local, &time);
    return time;
}

}  // namespace

std::string QualityText(DWORD quality) {
    const UINT texts[] = {IDS_QUALITY_BEST, IDS_QUALITY_BETTER, IDS_QUALITY_GOOD};
    return mounter::LoadText(quality >= 1 && quality <= 3 ? texts[quality - 1] : IDS_NOT_AVAILABLE);
}

std::string ResolutionText(DWORD resolution) {
    UINT text = resolution == 0 ? IDS_RESOLUTION_STANDARD : resolution == 1 ? IDS_RESOLUTION_HIGH : IDS_NOT_AVAILABLE;
    return mounter::LoadText(text);
}

std::string ShortDateText(const FILETIME& local) {
    SYSTEMTIME time = SystemTimeOf(local);
    char text[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text);
    return text;
}

std::string ShortTimeText(const FILETIME& local) {
    SYSTEMTIME time = SystemTimeOf(local);
    char text[64] = "";
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, sizeof text);
    return text;
}

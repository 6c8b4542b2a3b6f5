#include "CaptureChoices.h"

#include "InfoTexts.h"
#include "MounterMessages.h"
#include "PageResources.h"


namespace {

constexpr ULONGLONG kFileTimeUnitsPerCount = 5000000;   // 100 ns units in half a second

ULONGLONG FileTimeOf(const SYSTEMTIME& time) {
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

ULONGLONG ClockEpoch() {
    SYSTEMTIME epoch = {};
    epoch.wYear = 1997;
    epoch.wMonth = 1;
    epoch.wDay = 1;
    return FileTimeOf(epoch);
}

}  // namespace

std::string FillIn(std::string format, const std::string& value) {
    size_t place = format.find_first_of('%');
    while (place != std::string::npos && place + 1 < format.size() && format[place + 1] != 's' && format[place + 1] != 'd')
        place = format.find_first_of('%', place + 1);
    if (place != std::string::npos && place + 1 < format.size()) format.replace(place, 2, value);
    return format;
}

int ExposurePosition(DWORD value) {
    for (size_t i = 0; i < sizeof kExposureChoices / sizeof kExposureChoices[0]; ++i)
        if (kExposureChoices[i].value == value) return static_cast<int>(i);
    return 0;
}

DWORD CameraClockCount(const SYSTEMTIME& local) {
    ULONGLONG now = FileTimeOf(local);
    ULONGLONG epoch = ClockEpoch();
    return now > epoch ? static_cast<DWORD>((now - epoch) / kFileTimeUnitsPerCount) : 0;
}

std::string CameraTimeText(DWORD count) {
    ULONGLONG when = ClockEpoch() + count * kFileTimeUnitsPerCount;
    FILETIME file = {static_cast<DWORD>(when), static_cast<DWORD>(when >> 32)};
    return FillIn(FillIn(mounter::LoadText(IDS_DATE_AND_TIME), ShortDateText(file)), ShortTimeText(file));
}

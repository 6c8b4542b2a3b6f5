#include "PictureInformation.h"

#include "ModalDialog.h"
#include "PvresIds.h"
#include "PvresModule.h"

#include <cstdio>

namespace acquire {
namespace {

struct ExposureStep {
    int64_t from;   // microseconds
    int n;          // -1: 1.4
};

// The first step the time reaches names the shutter speed.
constexpr ExposureStep kExposureSteps[] = {
    {25000000, 30}, {17500000, 20}, {12500000, 15}, {9000000, 10}, {6000000, 8}, {3500000, 4}, {2500000, 3},
    {1700000, 2},   {1200000, -1},  {857143, 1},    {607143, -1},  {416667, 2},  {291667, 3},  {208333, 4},
    {145833, 6},    {112500, 8},    {83333, 10},    {58333, 15},   {41677, 20},  {27778, 30},  {19444, 45},
    {13889, 60},    {11111, 90},    {9556, 125},    {4778, 180},   {3389, 250},  {2389, 360},  {1714, 500},
    {1214, 700},    {857, 1000},    {357, 1400},    {1, 2000},
};

std::string Text(UINT id, const char* fallback) { return PvresString(id, fallback); }
std::string Unknown() { return Text(IDS_PV_UNKNOWN, "Unknown"); }

std::string Format(const char* format, int a, int b = 0) {
    char text[64];
    snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string QualityText(int quality) {
    switch (quality) {
    case 1: return Text(IDS_PV_QUALITY_BEST, "Best");
    case 2: return Text(IDS_PV_QUALITY_BETTER, "Better");
    case 3: return Text(IDS_PV_QUALITY_GOOD, "Good");
    }
    return Unknown();
}

std::string ResolutionText(int resolution) {
    switch (resolution) {
    case 0: return Text(IDS_PV_RESOLUTION_STANDARD, "Standard(640 x 480)");
    case 1: return Text(IDS_PV_RESOLUTION_HIGH, "High(1152 x 864)");
    }
    return Unknown();
}

std::string FormatText(int format) {
    switch (format) {
    case 3: return Text(IDS_PV_FORMAT_JPEG, "JPEG");
    case 4: return Text(IDS_PV_FORMAT_FLASHPIX, "FlashPix");
    }
    return Unknown();
}

// The camera clock counts half seconds from 1997-01-01 00:00:00 local time.
std::string TakenText(uint32_t clock) {
    SYSTEMTIME epoch = {1997, 1, 3, 1, 0, 0, 0, 0}, taken;
    FILETIME start;
    if (!SystemTimeToFileTime(&epoch, &start)) return Unknown();
    ULARGE_INTEGER at{{start.dwLowDateTime, start.dwHighDateTime}};
    at.QuadPart += ULONGLONG(clock) * 5000000;
    FILETIME when{at.LowPart, at.HighPart};
    if (!FileTimeToSystemTime(&when, &taken)) return Unknown();
    char text[64];
    snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", taken.wDay, taken.wMonth, taken.wYear, taken.wHour,
             taken.wMinute);
    return text;
}

std::string ApertureText(int tenths) {
    if (tenths <= 0) return Unknown();
    return tenths % 10 ? Format("%d.%d", tenths / 10, tenths % 10) : Format("%d", tenths / 10);
}

std::string FocusText(int zoom) {
    static const char* const kLengths[] = {"58", "51", "41", "34", "29"};
    if (zoom >= 0 && zoom <= 4) return kLengths[zoom];
    if (zoom == 5) return Text(IDS_PV_MACRO, "Macro");
    if (zoom == -1) return Text(IDS_PV_FOCUS_39, "39");
    return Unknown();
}

std::string FileName(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct InformationBox {
    std::array<std::string, 10> texts;
    INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITDIALOG) {
            for (size_t i = 0; i < texts.size(); ++i) SetDlgItemTextA(window, int(IDC_INFO_VALUE_FIRST + i), texts[i].c_str());
            return TRUE;
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }
};

}  // namespace

std::string ExposureText(int64_t microseconds) {
    if (microseconds <= 0) return {};
    for (const ExposureStep& step : kExposureSteps) {
        if (microseconds < step.from) continue;
        if (microseconds >= 1000000) return step.n == -1 ? "1.4" : Format("%d", step.n);
        return step.n == -1 ? "1/1.4" : Format("1/%d", step.n);
    }
    return {};
}

std::string SizeText(uint32_t bytes) {
    char text[32];
    snprintf(text, sizeof text, "%lu,%03lu", static_cast<unsigned long>(bytes / 1000), static_cast<unsigned long>(bytes % 1000));
    return text;
}

std::array<std::string, 10> PictureInformationTexts(const PictureEntry& picture) {
    const PvPictureInfo& info = picture.information;
    std::array<std::string, 10> texts;
    texts.fill(Unknown());
    texts[0] = FileName(picture.name);
    texts[3] = SizeText(info.byteCount);
    texts[4] = FormatText(info.fileFormat);
    if (picture.source == PictureEntry::Source::kDisk) {
        texts[2] = Format(Text(IDS_PV_SIZE_FORMAT, "%d x %d").c_str(), int(picture.width), int(picture.height));
        return texts;
    }
    texts[1] = QualityText(info.quality);
    texts[2] = ResolutionText(info.resolution);
    texts[5] = info.flashUsed ? Text(IDS_PV_YES, "Yes") : Text(IDS_PV_NO, "No");
    texts[6] = TakenText(info.taken);
    texts[7] = ApertureText(info.apertureTenths);
    texts[8] = ExposureText(info.exposureMicroseconds);
    texts[9] = FocusText(info.zoom);
    return texts;
}

void ShowPictureInformation(const PictureEntry& picture, HWND owner) {
    InformationBox box{PictureInformationTexts(picture)};
    RunModalDialog(box, IDD_PV_PICTURE_INFO, owner);
}

}  // namespace acquire

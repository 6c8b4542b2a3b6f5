#include "StatusFields.h"

#include "PvresIds.h"
#include "PvresModule.h"

#include <cstdio>

namespace acquire {
namespace {

template <typename Value>
std::string Format(const std::string& format, Value value) {
    char text[256];
    std::snprintf(text, sizeof text, format.c_str(), value);
    return text;
}

}  // namespace

std::string PortFieldText(int port) {
    std::string name = port >= 1 && port <= 9 ? PvresString(IDS_PV_PORT_AUTO + UINT(port)) : "";
    if (name.empty()) return Format("Port: COM%d", port);
    return Format(PvresString(IDS_PV_PORT_FORMAT, "Port: %s"), name.c_str());
}

std::string SpeedFieldText(DWORD baud) { return Format(PvresString(IDS_PV_SPEED_FORMAT, " Speed: %lu"), static_cast<unsigned long>(baud)); }

std::string RetrievedFieldText(int count) { return Format(PvresString(IDS_PV_RETRIEVED_FORMAT), count); }

std::string SelectedFieldText(int count) { return Format(PvresString(IDS_PV_SELECTED_FORMAT), count); }

}  // namespace acquire

// The text of CCameraException, formatted from the library's string table.
#include "CameraException.h"
#include "HostLibrary.h"
#include "HostResources.h"
#include "TextBuffer.h"

#include <cstdio>
#include <cstring>

extern "C" void CameraExceptionGetErrorText(const CCameraException* e, char* buffer, unsigned size) {
    std::string format = pvhost::LoadHostString(IDS_CAMERA_EXCEPTION);
    if (format.empty()) {
        pvtext::copyCut(buffer, size, "**********");
        return;
    }
    const CommErrorState& link = e->GetLinkState();
    DWORD flags = 0;
    std::memcpy(&flags, &link.status, sizeof flags);
    char bit[7];
    for (int i = 0; i < 7; ++i) bit[i] = (flags >> i) & 1 ? '1' : '0';
    char text[320];
    std::snprintf(text, sizeof text, format.c_str(), bit[0], bit[1], bit[2], bit[3], bit[4], bit[5], bit[6],
                  static_cast<unsigned>(link.status.cbInQue), static_cast<unsigned>(link.status.cbOutQue),
                  static_cast<unsigned>(link.errorMask), static_cast<unsigned>(link.lastError),
                  static_cast<unsigned>(link.location), static_cast<unsigned>(e->GetKind()),
                  static_cast<unsigned>(e->GetResult()));
    pvtext::copyCut(buffer, size, text);
}

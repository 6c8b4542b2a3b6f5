#include "DialogInit.h"

#include "PvresIds.h"
#include "PvresModule.h"

#include <cstring>
#include <string>

namespace acquire {

// Records of u16 control, u16 message, u32 length and that many bytes of text, ended by a u16 0.
void ApplyDialogInit(HWND dialog, UINT templateId) {
    ResourceBytes data = PvresResource(templateId, RT_PV_DLGINIT);
    size_t at = 0;
    while (data.data && at + 2 <= data.size) {
        WORD control, message;
        memcpy(&control, data.data + at, 2);
        if (control == 0 || at + 8 > data.size) break;
        memcpy(&message, data.data + at + 2, 2);
        DWORD length;
        memcpy(&length, data.data + at + 4, 4);
        at += 8;
        if (length > data.size - at) break;
        std::string text(reinterpret_cast<const char*>(data.data + at), strnlen(reinterpret_cast<const char*>(data.data + at), length));
        at += length;
        if (message == CB_ADDSTRING || message == LB_ADDSTRING) SendDlgItemMessageA(dialog, control, message, 0, LPARAM(text.c_str()));
    }
}

}  // namespace acquire

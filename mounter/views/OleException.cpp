#include "OleException.h"

#include "MounterMessages.h"
#include "ViewResources.h"

void ReportOleException(HWND owner, const COleException& exception) {
    char text[512];
    wsprintfA(text, mounter::LoadText(IDS_OLE_EXCEPTION).c_str(), static_cast<unsigned>(exception.Scode()));
    mounter::ShowMessageText(owner, text, MB_OK | MB_ICONERROR);
}

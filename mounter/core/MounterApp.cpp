#include "MounterApp.h"

#include "MounterGlobals.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "TempArea.h"

#include <cstdio>

BOOL CMounterApp::InitInstance() {
    if (!mounter::HasGlobalRecord()) {
        HRESULT hr = mounter::CreateGlobalRecord();
        if (FAILED(hr)) {
            ReportStartupFailure(hr);
            ExitInstance();
        }
    }
    EmptyTempArea();
    return TRUE;
}

void CMounterApp::ReportStartupFailure(HRESULT hr) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    std::string text = mounter::LoadText(IDS_GLOBAL_INIT_FAILED);
    size_t placeholder = text.find("%s");
    if (placeholder != std::string::npos) text.replace(placeholder, 2, code);
    MessageBoxA(nullptr, text.c_str(), mounter::LoadText(IDS_MOUNTER_CAPTION).c_str(), MB_OK | MB_ICONSTOP);
}

void CMounterApp::ExitInstance() {
    if (!mounter::LastViewInFileDialog()) EmptyTempArea();
    mounter::DestroyGlobalRecord();
}

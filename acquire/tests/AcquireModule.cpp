#include "AcquireModule.h"

#include "UniqueHandle.h"

namespace acquiretest {

std::string PreferencesFile() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\PVACQUIRE.INI";
}

void WritePreferences(int comPort, int baudRate) {
    DeleteFileA(PreferencesFile().c_str());
    if (comPort < 0) return;
    WritePrivateProfileStringA("Preferences", "ComPort", std::to_string(comPort).c_str(), "PVACQUIRE.INI");
    WritePrivateProfileStringA("Preferences", "BaudRate", std::to_string(baudRate).c_str(), "PVACQUIRE.INI");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "PVACQUIRE.INI");
}

AcquireModule::AcquireModule(int comPort, int baudRate) {
    WritePreferences(comPort, baudRate);
    Load();
}

AcquireModule::AcquireModule(const std::string& preferencesFileBytes) {
    // The system's copy of the file it read last goes first.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "PVACQUIRE.INI");
    pv::UniqueHandle file(CreateFileA(PreferencesFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), preferencesFileBytes.data(), DWORD(preferencesFileBytes.size()), &written, nullptr);
    file.reset();
    Load();
}

void AcquireModule::Load() {
    module_ = pv::UniqueModule::load("pvacquire.dll");
    calls_ = {module_.proc<decltype(&TwSrcUIOpen)>("TwSrcUIOpen"),
              module_.proc<decltype(&TwSrcUIClose)>("TwSrcUIClose"),
              module_.proc<decltype(&TwSrcUIIsDialogMessage)>("TwSrcUIIsDialogMessage"),
              module_.proc<decltype(&UIODCNotUIWindow)>("UIODCNotUIWindow"),
              module_.proc<decltype(&UIODCGetCameraInfo)>("UIODCGetCameraInfo"),
              module_.proc<decltype(&UIODCGetPictureInfo)>("UIODCGetPictureInfo"),
              module_.proc<decltype(&UIODCGetRotateType)>("UIODCGetRotateType"),
              module_.proc<decltype(&UIODCGetImage)>("UIODCGetImage"),
              module_.proc<decltype(&UIODCGetImageType)>("UIODCGetImageType"),
              module_.proc<decltype(&UIODCGetPalette)>("UIODCGetPalette"),
              module_.proc<decltype(&UIODCCloseDriverCamera)>("UIODCCloseDriverCamera"),
              module_.proc<decltype(&UIODCUICloseAfterTransfer)>("UIODCUICloseAfterTransfer")};
}

AcquireModule::~AcquireModule() {
    module_.reset();
    WritePreferences(-1, 0);
}

}  // namespace acquiretest

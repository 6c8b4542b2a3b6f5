// pvacquire.dll loaded for one test, after PVACQUIRE.INI has been written with the camera's port
// and speed (the library reads its preferences when it loads), with its calls by name.
#pragma once

#include "AcquireExports.h"
#include "UniqueModule.h"

#include <string>

namespace acquiretest {

struct AcquireCalls {
    decltype(&TwSrcUIOpen) open;
    decltype(&TwSrcUIClose) close;
    decltype(&TwSrcUIIsDialogMessage) isDialogMessage;
    decltype(&UIODCNotUIWindow) notUIWindow;
    decltype(&UIODCGetCameraInfo) getCameraInfo;
    decltype(&UIODCGetPictureInfo) getPictureInfo;
    decltype(&UIODCGetRotateType) getRotateType;
    decltype(&UIODCGetImage) getImage;
    decltype(&UIODCGetImageType) getImageType;
    decltype(&UIODCGetPalette) getPalette;
    decltype(&UIODCCloseDriverCamera) closeDriverCamera;
    decltype(&UIODCUICloseAfterTransfer) closeAfterTransfer;
};

// The Windows directory's PVACQUIRE.INI.
std::string PreferencesFile();
// Writes the camera's port and speed index; removes the file for port < 0.
void WritePreferences(int comPort, int baudRate);

class AcquireModule {
public:
    explicit AcquireModule(int comPort = 1, int baudRate = 5);
    // With PVACQUIRE.INI holding exactly these bytes, whatever they are.
    explicit AcquireModule(const std::string& preferencesFileBytes);
    ~AcquireModule();
    AcquireModule(const AcquireModule&) = delete;
    AcquireModule& operator=(const AcquireModule&) = delete;

    bool loaded() const { return bool(module_) && calls_.open && calls_.getImage && calls_.closeAfterTransfer; }
    const AcquireCalls& calls() const { return calls_; }
    // Unloads the library (writing its preferences back).
    void Unload() { module_.reset(); }

private:
    void Load();

    pv::UniqueModule module_;
    AcquireCalls calls_{};
};

}  // namespace acquiretest

#include "CameraDouble.h"

#include "ClassFactory.h"
#include "ComPtr.h"
#include "MounterClasses.h"
#include "MounterItemId.h"
#include "MounterNameSpaceFolder.h"
#include "pvhost.h"

#include <cstring>
#include <new>

namespace cameradouble {
namespace {

Script* g_script = nullptr;

std::string Trim(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The camera's name of 11 name and extension bytes.
std::string ListedName(const char* field) {
    std::string name = Trim(std::string(field, 8)), extension = Trim(std::string(field + 8, 3));
    return extension.empty() ? name : name + "." + extension;
}

// The path with every name that the double lists in place of another given its real one again. A
// listed name may hold separators itself, so it is matched as a whole after a separator.
std::string RealPath(const std::string& path) {
    std::string real = path;
    for (const auto& [name, listed] : g_script->renamed) {
        const std::string shown = "\\" + ListedName(listed.c_str());
        for (size_t at = real.find(shown); at != std::string::npos; at = real.find(shown, at + 1)) {
            size_t end = at + shown.size();
            if (end == real.size() || real[end] == '\\') real.replace(at + 1, shown.size() - 1, name);
        }
    }
    return real;
}

// The layout of the camera library's object up to its connected field comes first, so that the
// library's own readers of those fields (IsConnected, the link status by port) read this object.
class CCameraDouble : public CCameraDevice {
public:
    explicit CCameraDouble(CSerialCamera* inner)
        : port_(inner->Port()), connected_(inner->IsConnected()), inner_(inner) {}
    ~CCameraDouble() override { DestroyCamera(inner_); }

    DWORD VerifyPacketChecksum(const BYTE* buffer, DWORD size) override { return inner_->VerifyPacketChecksum(buffer, size); }
    void SetPacketChecksum(BYTE* buffer, DWORD size) override { inner_->SetPacketChecksum(buffer, size); }
    DWORD ReadDataPacket(BYTE* buffer, DWORD size) override { return inner_->ReadDataPacket(buffer, size); }
    DWORD AbortTransfer(BYTE* buffer, DWORD size) override { return inner_->AbortTransfer(buffer, size); }
    DWORD SendDataPacket(BYTE* buffer, DWORD size) override { return inner_->SendDataPacket(buffer, size); }
    DWORD Recover() override { return inner_->Recover(); }
    DWORD EndFileAccess() override { return inner_->EndFileAccess(); }
    DWORD SetLinkSpeed() override { return inner_->SetLinkSpeed(); }
    DWORD ReadStatus() override { return inner_->ReadStatus(); }
    DWORD BeginFileAccess() override { return inner_->BeginFileAccess(); }
    DWORD ListDirectory(const char* path, BYTE** entries, DWORD* count) override;
    DWORD ReadPictureFile(const char* path, BYTE** data, DWORD* size, TransferProgressCallback progress,
                          ULONG_PTR user) override {
        ++g_script->fileReads;
        return inner_->ReadPictureFile(RealPath(path).c_str(), data, size, progress, user);
    }
    DWORD ReadThumbnailByNumber(DWORD number, BYTE** data, TransferProgressCallback progress, ULONG_PTR user) override {
        return inner_->ReadThumbnailByNumber(number, data, progress, user);
    }
    DWORD ReadThumbnail(const char* path, BYTE** data, TransferProgressCallback progress, ULONG_PTR user) override {
        return inner_->ReadThumbnail(RealPath(path).c_str(), data, progress, user);
    }
    DWORD ReadFileHead(const char* path, DWORD length, BYTE** data, DWORD* lengthOut) override {
        return inner_->ReadFileHead(RealPath(path).c_str(), length, data, lengthOut);
    }
    DWORD SetQuality(DWORD value) override { return inner_->SetQuality(value); }
    DWORD SetResolution(DWORD value) override { return inner_->SetResolution(value); }
    DWORD SetZoom(DWORD value) override { return inner_->SetZoom(value); }
    DWORD TakePicture() override { return inner_->TakePicture(); }
    DWORD SetExposureCompensation(DWORD value) override { return inner_->SetExposureCompensation(value); }
    DWORD SetFileFormat(DWORD value) override { return inner_->SetFileFormat(value); }
    DWORD SetClock(DWORD clock) override { return inner_->SetClock(clock); }
    DWORD SetFlashMode(DWORD value) override { return inner_->SetFlashMode(value); }
    DWORD SetSelfTimer(DWORD value) override { return inner_->SetSelfTimer(value); }
    DWORD ErasePicture(DWORD number) override { return inner_->ErasePicture(number); }
    DWORD EraseFile(const char* path) override { return inner_->EraseFile(RealPath(path).c_str()); }
    DWORD FormatCard() override { return inner_->FormatCard(); }
    DWORD ReadPictureInfoByNumber(DWORD number, CPictureInfo** info) override {
        return inner_->ReadPictureInfoByNumber(number, info);
    }
    DWORD ReadPictureInfo(const char* path, CPictureInfo** info) override {
        return inner_->ReadPictureInfo(RealPath(path).c_str(), info);
    }
    DWORD GetPicturesTaken() override { return inner_->GetPicturesTaken(); }
    DWORD GetCardBit() override { return inner_->GetCardBit(); }
    DWORD GetStatusWord(DWORD offset) override { return inner_->GetStatusWord(offset); }
    DWORD GetStatusLong(DWORD offset) override { return inner_->GetStatusLong(offset); }
    DWORD GetStatusByte(DWORD offset) override { return inner_->GetStatusByte(offset); }
    DWORD Connect() override { return inner_->Connect(); }
    DWORD ResetCamera() override { return inner_->ResetCamera(); }
    DWORD QueryCardPresent(DWORD refresh) override { return inner_->QueryCardPresent(refresh); }
    DWORD QueryInternalMemory() override { return g_script->internalMemory ? 1 : 0; }
    void ReadStatusBlock(BYTE* buffer) override { inner_->ReadStatusBlock(buffer); }
    DWORD GetModelByte() override { return inner_->GetModelByte(); }

private:
    DWORD watchThreadId_ = 0;
    HANDLE watchThread_ = nullptr;
    DWORD recovering_ = 0;
    DWORD speedChangeInProgress_ = 0;
    DWORD port_;
    DWORD speed_ = 0;
    DWORD connected_;

    CSerialCamera* inner_;
};

DWORD CCameraDouble::ListDirectory(const char* path, BYTE** entries, DWORD* count) {
    ++g_script->listings;
    if (*entries) return kCamBadArgument;   // as the library answers an out slot that is not empty
    if (path == g_script->brokenDirectory) {
        *entries = new BYTE[g_script->partBytes]();
        *count = 0;
        return g_script->brokenResult;
    }
    DWORD result = inner_->ListDirectory(RealPath(path).c_str(), entries, count);
    if (result != kCamOk || !*entries) return result;
    for (DWORD i = 0; i < *count; ++i) {
        char* entry = reinterpret_cast<char*>(*entries + i * kDirectoryEntrySize);
        auto renamed = g_script->renamed.find(ListedName(entry));
        if (renamed != g_script->renamed.end()) std::memcpy(entry, renamed->second.data(), 11);
        if (path == g_script->resizedDirectory)
            for (int b = 0; b < 4; ++b) entry[16 + b] = static_cast<char>(g_script->resizedTo >> (24 - 8 * b));
    }
    return result;
}

CSerialCamera* OpenDouble(DWORD port, DWORD speed, DWORD readStatus, OpenProgressCallback progress, ULONG_PTR user) {
    CSerialCamera* inner = OpenCamera(port, speed, readStatus, progress, user);
    if (!inner) return nullptr;
    auto* camera = new CCameraDouble(inner);
    return reinterpret_cast<CSerialCamera*>(static_cast<CCameraDevice*>(camera));
}

}  // namespace

// The folders that COM creates meanwhile, the shell's among them, are this program's own, which
// open the double.
ScopedCameraDouble::ScopedCameraDouble(Script* script) {
    g_script = script;
    SetCameraOpener(OpenDouble);
    const CLSID* classes[] = {&CLSID_PV360Camera, &CLSID_PV360Memory, &CLSID_PV360Album};
    for (size_t i = 0; i < 3; ++i) {
        pv::ComPtr<IUnknown> factory;
        if (SUCCEEDED(GetMounterClassObject(*classes[i], IID_IUnknown, factory.putVoid())))
            CoRegisterClassObject(*classes[i], factory.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookies[i]);
    }
}

ScopedCameraDouble::~ScopedCameraDouble() {
    for (DWORD cookie : m_cookies)
        if (cookie) CoRevokeClassObject(cookie);
    SetCameraOpener(nullptr);
    g_script = nullptr;
}

}  // namespace cameradouble

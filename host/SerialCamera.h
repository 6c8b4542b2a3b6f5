// The camera on a serial port: the protocol's framing, the camera commands, the connection and
// its recovery, over the link library's port functions.
#pragma once

#include "CameraDevice.h"
#include "UniqueHandle.h"

class CSerialCamera : public CCameraDevice {
public:
    CSerialCamera(DWORD port, DWORD speed);
    ~CSerialCamera() override;
    CSerialCamera(const CSerialCamera&) = delete;
    CSerialCamera& operator=(const CSerialCamera&) = delete;

    // False when the watch thread could not be made: the object is unusable.
    bool Usable() const { return watchThread_.valid(); }

    // Framing
    DWORD VerifyPacketChecksum(const BYTE* buffer, DWORD size) override;
    void SetPacketChecksum(BYTE* buffer, DWORD size) override;
    DWORD ReadDataPacket(BYTE* buffer, DWORD size) override;
    DWORD AbortTransfer(BYTE* buffer, DWORD size) override;
    DWORD SendDataPacket(BYTE* buffer, DWORD size) override;
    DWORD Recover() override;

    // Commands
    DWORD EndFileAccess() override;
    DWORD SetLinkSpeed() override;
    DWORD ReadStatus() override;
    DWORD BeginFileAccess() override;
    DWORD ListDirectory(const char* path, BYTE** entries, DWORD* count) override;
    DWORD ReadPictureFile(const char* path, BYTE** data, DWORD* size, TransferProgressCallback progress,
                          ULONG_PTR user) override;
    DWORD ReadThumbnailByNumber(DWORD number, BYTE** data, TransferProgressCallback progress,
                                ULONG_PTR user) override;
    DWORD ReadThumbnail(const char* path, BYTE** data, TransferProgressCallback progress,
                        ULONG_PTR user) override;
    DWORD ReadFileHead(const char* path, DWORD length, BYTE** data, DWORD* lengthOut) override;
    DWORD SetQuality(DWORD value) override;
    DWORD SetResolution(DWORD value) override;
    DWORD SetZoom(DWORD value) override;
    DWORD TakePicture() override;
    DWORD SetExposureCompensation(DWORD value) override;
    DWORD SetFileFormat(DWORD value) override;
    DWORD SetClock(DWORD clock) override;
    DWORD SetFlashMode(DWORD value) override;
    DWORD SetSelfTimer(DWORD value) override;
    DWORD ErasePicture(DWORD number) override;
    DWORD EraseFile(const char* path) override;
    DWORD FormatCard() override;
    DWORD ReadPictureInfoByNumber(DWORD number, CPictureInfo** info) override;
    DWORD ReadPictureInfo(const char* path, CPictureInfo** info) override;

    // Cached status
    DWORD GetPicturesTaken() override;
    DWORD GetCardBit() override;
    DWORD GetStatusWord(DWORD offset) override;
    DWORD GetStatusLong(DWORD offset) override;
    DWORD GetStatusByte(DWORD offset) override;

    // Session
    DWORD Connect() override;
    DWORD ResetCamera() override;
    DWORD QueryCardPresent(DWORD refresh) override;
    DWORD QueryInternalMemory() override;
    void ReadStatusBlock(BYTE* buffer) override;
    DWORD GetModelByte() override;
    virtual DWORD SendCommand(BYTE code, BYTE arg1, BYTE arg2, BYTE arg3, BYTE arg4);

    DWORD Disconnect();
    DWORD GetLinkStatus(COMSTAT* status, DWORD* errorMask, DWORD* lastError, DWORD* location);
    DWORD IsConnected() const { return connected_; }
    DWORD Port() const { return port_; }
    // Set while the exported speed change runs; recovery leaves the speed alone then.
    void SetSpeedChangeInProgress(bool on) { speedChangeInProgress_ = on ? 1 : 0; }

private:
    enum class BlockAnswers { Command, SpeedChange };
    DWORD RunCommandBlock(BYTE code, const BYTE args[4], BlockAnswers answers);
    DWORD RunCommand(BYTE code, const BYTE args[4], const char* path, DWORD field1, DWORD field2);
    DWORD ReadCompletion(bool waitOutBusy);
    DWORD ReceiveFirstPacket(BYTE* packet, DWORD dataSize, DWORD total, BYTE** out, DWORD& filled);
    DWORD ReadThumbnailData(BYTE** data, TransferProgressCallback progress, ULONG_PTR user);
    DWORD ReadPictureInfoData(CPictureInfo** info);
    DWORD ReadByte(BYTE& value, DWORD& got);
    DWORD WriteByte(BYTE value);
    DWORD SendSetting(BYTE code, DWORD value);
    void WatchCard();
    bool WaitUntilConnected();
    bool ReadCardBitUnlessStopping(DWORD& bit);
    void StopWatch();
    static DWORD WINAPI CardWatchThread(LPVOID self);

    // The fields up to connected_ are the object's documented layout.
    DWORD watchThreadId_ = 0;
    pv::UniqueHandle watchThread_;
    DWORD recovering_ = 0;
    DWORD speedChangeInProgress_ = 0;
    DWORD port_;
    DWORD speed_;
    DWORD connected_ = 0;

    bool holdsRecord_ = false;
    pv::UniqueHandle watchStop_;     // set when the object goes: every wait of the watch ends
    pv::UniqueHandle watchResume_;   // set while connected: the watch polls only then
};

// The camera object's interface. The order of the virtual operations is part of the library's
// interface: callers reach some of them directly through the object's table.
#pragma once

#include "CameraTypes.h"

class CCameraDevice {
public:
    virtual DWORD VerifyPacketChecksum(const BYTE* buffer, DWORD size) = 0;
    virtual void SetPacketChecksum(BYTE* buffer, DWORD size) = 0;
    virtual DWORD ReadDataPacket(BYTE* buffer, DWORD size) = 0;
    virtual DWORD AbortTransfer(BYTE* buffer, DWORD size) = 0;
    virtual DWORD SendDataPacket(BYTE* buffer, DWORD size) = 0;
    virtual DWORD Recover() = 0;
    virtual DWORD EndFileAccess() = 0;
    virtual DWORD SetLinkSpeed() = 0;
    virtual DWORD ReadStatus() = 0;
    virtual DWORD BeginFileAccess() = 0;
    virtual DWORD ListDirectory(const char* path, BYTE** entries, DWORD* count) = 0;
    virtual DWORD ReadPictureFile(const char* path, BYTE** data, DWORD* size,
                                  TransferProgressCallback progress, ULONG_PTR user) = 0;
    virtual DWORD ReadThumbnailByNumber(DWORD number, BYTE** data, TransferProgressCallback progress,
                                        ULONG_PTR user) = 0;
    virtual DWORD ReadThumbnail(const char* path, BYTE** data, TransferProgressCallback progress,
                                ULONG_PTR user) = 0;
    virtual DWORD ReadFileHead(const char* path, DWORD length, BYTE** data, DWORD* lengthOut) = 0;
    virtual DWORD SetQuality(DWORD value) = 0;
    virtual DWORD SetResolution(DWORD value) = 0;
    virtual DWORD SetZoom(DWORD value) = 0;
    virtual DWORD TakePicture() = 0;
    virtual DWORD SetExposureCompensation(DWORD value) = 0;
    virtual DWORD SetFileFormat(DWORD value) = 0;
    virtual DWORD SetClock(DWORD clock) = 0;
    virtual DWORD SetFlashMode(DWORD value) = 0;
    virtual DWORD SetSelfTimer(DWORD value) = 0;
    virtual DWORD ErasePicture(DWORD number) = 0;
    virtual DWORD EraseFile(const char* path) = 0;
    virtual DWORD FormatCard() = 0;
    virtual DWORD ReadPictureInfoByNumber(DWORD number, CPictureInfo** info) = 0;
    virtual DWORD ReadPictureInfo(const char* path, CPictureInfo** info) = 0;
    virtual DWORD GetPicturesTaken() = 0;
    virtual DWORD GetCardBit() = 0;
    virtual DWORD GetStatusWord(DWORD offset) = 0;
    virtual DWORD GetStatusLong(DWORD offset) = 0;
    virtual DWORD GetStatusByte(DWORD offset) = 0;
    virtual ~CCameraDevice() = default;
    virtual DWORD Connect() = 0;
    virtual DWORD ResetCamera() = 0;
    virtual DWORD QueryCardPresent(DWORD refresh) = 0;
    virtual DWORD QueryInternalMemory() = 0;
    virtual void ReadStatusBlock(BYTE* buffer) = 0;
    virtual DWORD GetModelByte() = 0;
};

// The camera commands: each runs one command exchange with its data phases.
#include "SerialCamera.h"

#include "pvhost.h"
#include "PathPacket.h"
#include "StatusRecord.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr BYTE kCmdReadStatus = 0x7F;
constexpr BYTE kCmdBeginFileAccess = 0x96;
constexpr BYTE kCmdEndFileAccess = 0x97;
constexpr BYTE kCmdListDirectory = 0x99;
constexpr BYTE kCmdReadFile = 0x9A;
constexpr BYTE kCmdErasePicture = 0x7B;
constexpr BYTE kCmdEraseFile = 0x9D;
constexpr BYTE kCmdFormatCard = 0x95;
constexpr BYTE kCmdThumbnailByNumber = 0x66;
constexpr BYTE kCmdThumbnail = 0x93;
constexpr BYTE kCmdSetClock = 0x75;
constexpr BYTE kCmdExposure = 0x80;
constexpr BYTE kCmdFileFormat = 0x37;
constexpr BYTE kCmdFlashMode = 0x72;
constexpr BYTE kCmdQuality = 0x71;
constexpr BYTE kCmdResolution = 0x36;
constexpr BYTE kCmdSelfTimer = 0x74;
constexpr BYTE kCmdZoom = 0x78;
constexpr BYTE kCmdTakePicture = 0x7C;
constexpr BYTE kCmdPictureInfo = 0x91;
constexpr BYTE kCmdPictureInfoByNumber = 0x65;

constexpr DWORD kStatusPacket = 256;
constexpr DWORD kDirectoryPacket = 256;
constexpr DWORD kFilePacket = 512;
constexpr DWORD kThumbnailPacket = 1024;
constexpr DWORD kFormatPacket = 16;
constexpr DWORD kInfoPacket = 256;
constexpr DWORD kAllOnes = 0xFFFFFFFF;

constexpr BYTE kNoArgs[4] = {0, 0, 0, 0};

bool BadBufferOut(BYTE** out) { return !out || *out; }

// Tests make the camera library run out of memory through PVHOST_MAX_BUFFER_BYTES: a buffer larger
// than that is refused as if there were no memory. Without it only the system refuses.
DWORD MaxBufferBytes() {
    const char* text = std::getenv("PVHOST_MAX_BUFFER_BYTES");
    return text && *text ? static_cast<DWORD>(std::strtoul(text, nullptr, 10)) : 0xFFFFFFFFu;
}

// A buffer handed to the caller and freed with FreeCameraBuffer; null when there is no memory.
BYTE* NewCameraBuffer(DWORD size) { return size > MaxBufferBytes() ? nullptr : new (std::nothrow) BYTE[size]; }

// A 16-bit picture number in the first two argument bytes.
struct NumberArgs {
    BYTE bytes[4];
    explicit NumberArgs(DWORD number)
        : bytes{static_cast<BYTE>(number >> 8), static_cast<BYTE>(number), 0, 0} {}
};

}  // namespace

// Reads the first camera packet of a transfer, then allocates the caller's buffer of total bytes
// and fills it from the packet. From then on the buffer is the caller's, however the transfer ends.
DWORD CSerialCamera::ReceiveFirstPacket(BYTE* packet, DWORD dataSize, DWORD total, BYTE** out, DWORD& filled) {
    DWORD r = ReadDataPacket(packet, dataSize + 1);
    if (r != kCamOk) return r;
    BYTE* buffer = NewCameraBuffer(total);
    if (!buffer) return kCamOutOfMemory;
    *out = buffer;
    filled = std::min(total, dataSize);
    std::memcpy(buffer, packet, filled);
    return kCamOk;
}

// The command block, then the path packet when the command has one.
DWORD CSerialCamera::RunCommand(BYTE code, const BYTE args[4], const char* path, DWORD field1,
                                DWORD field2) {
    BYTE packet[pvhost::kHostPacketSize];
    if (path && !pvhost::BuildPathPacket(packet, path, field1, field2)) return kCamBadArgument;
    DWORD r = RunCommandBlock(code, args, BlockAnswers::Command);
    if (r != kCamOk || !path) return r;
    return SendDataPacket(packet, sizeof packet);
}

DWORD CSerialCamera::ReadStatus() {
    if (!connected_) return kCamNotConnected;
    DWORD r = RunCommand(kCmdReadStatus, kNoArgs, nullptr, 0, 0);
    if (r != kCamOk) return r;
    BYTE packet[kStatusPacket + 1];
    r = ReadDataPacket(packet, sizeof packet);
    if (r != kCamOk) return r;
    std::memcpy(pvhost::StatusRecord(), packet, kStatusRecordSize);
    return ReadCompletion(false);
}

DWORD CSerialCamera::BeginFileAccess() { return SendCommand(kCmdBeginFileAccess, 0, 0, 0, 0); }

DWORD CSerialCamera::EndFileAccess() { return SendCommand(kCmdEndFileAccess, 0, 0, 0, 0); }

DWORD CSerialCamera::ListDirectory(const char* path, BYTE** entries, DWORD* count) {
    if (!connected_) return kCamNotConnected;
    if (BadBufferOut(entries) || !count) return kCamBadArgument;
    *count = 0;
    DWORD r = RunCommand(kCmdListDirectory, kNoArgs, path ? path : "", 0, 0);
    if (r != kCamOk) return r;
    BYTE packet[kDirectoryPacket + 1];
    r = ReadDataPacket(packet, sizeof packet);
    if (r != kCamOk) return r;
    DWORD n = (DWORD(packet[0]) << 8) | packet[1];
    *count = n;
    DWORD total = n * kDirectoryEntrySize;
    BYTE* list = NewCameraBuffer(total);
    if (!list) return kCamOutOfMemory;
    *entries = list;
    DWORD filled = std::min<DWORD>(total, kDirectoryPacket - 2);
    std::memcpy(list, packet + 2, filled);
    while (filled < total) {
        r = ReadDataPacket(packet, sizeof packet);
        if (r != kCamOk) return r;
        DWORD take = std::min(total - filled, kDirectoryPacket);
        std::memcpy(list + filled, packet, take);
        filled += take;
    }
    return ReadCompletion(false);
}

DWORD CSerialCamera::ReadPictureFile(const char* path, BYTE** data, DWORD* size,
                                     TransferProgressCallback progress, ULONG_PTR user) {
    if (!connected_) return kCamNotConnected;
    // Without a path the camera would be left waiting for a path packet that never comes.
    if (BadBufferOut(data) || !size || !path) return kCamBadArgument;
    BYTE* entries = nullptr;
    DWORD count = 0;
    DWORD r = CameraListDirectory(this, path, &entries, &count);
    if (r == kCamOk && count == 0) r = kCamUnexpectedAnswer;   // the camera listed nothing by that name
    DWORD total = r == kCamOk ? pvhost::GetBigEndian32(entries + 16) : 0;
    FreeCameraBuffer(entries);
    if (r != kCamOk) return r;
    *size = total;

    r = RunCommand(kCmdReadFile, kNoArgs, path, kAllOnes, kAllOnes);
    if (r != kCamOk) return r;
    auto report = [&](DWORD received) { return progress ? progress(user, received, total) : 0; };
    report(0);
    BYTE packet[kFilePacket + 1];
    DWORD filled = 0;
    r = ReceiveFirstPacket(packet, kFilePacket, total, data, filled);
    if (r != kCamOk) return r;
    BYTE* file = *data;
    report(filled);
    while (filled < total) {
        r = ReadDataPacket(packet, sizeof packet);
        if (r != kCamOk) return r;
        DWORD take = std::min(total - filled, kFilePacket);
        std::memcpy(file + filled, packet, take);
        filled += take;
        if (report(filled)) {
            AbortTransfer(packet, sizeof packet);
            return kCamCancelled;
        }
    }
    return ReadCompletion(false);
}

DWORD CSerialCamera::ReadFileHead(const char* path, DWORD length, BYTE** data, DWORD* lengthOut) {
    if (!connected_) return kCamNotConnected;
    if (BadBufferOut(data) || !lengthOut || length == 0 || !path) return kCamBadArgument;
    DWORD r = RunCommand(kCmdReadFile, kNoArgs, path, kAllOnes, kAllOnes);
    if (r != kCamOk) return r;
    BYTE packet[kFilePacket + 1];
    DWORD filled = 0;
    r = ReceiveFirstPacket(packet, kFilePacket, length, data, filled);
    if (r != kCamOk) return r;
    BYTE* head = *data;
    while (filled < length && (r = ReadDataPacket(packet, sizeof packet)) == kCamOk) {
        DWORD take = std::min(length - filled, kFilePacket);
        std::memcpy(head + filled, packet, take);
        filled += take;
    }
    // The cancel leaves the camera in a defined state; a head with bytes missing is still a failure.
    r = filled < length ? r : kCamOk;
    DWORD cancelled = AbortTransfer(packet, sizeof packet);
    if (r == kCamOk) r = cancelled;
    if (r == kCamOk) *lengthOut = length;
    return r;
}

// The four thumbnail packets after an accepted command; progress answers are not used.
DWORD CSerialCamera::ReadThumbnailData(BYTE** data, TransferProgressCallback progress, ULONG_PTR user) {
    auto report = [&](DWORD received) {
        if (progress) progress(user, received, kThumbnailSize);
    };
    report(0);
    BYTE packet[kThumbnailPacket + 1];
    DWORD filled = 0;
    DWORD r = ReceiveFirstPacket(packet, kThumbnailPacket, kThumbnailSize, data, filled);
    if (r != kCamOk) return r;
    report(filled);
    while (filled < kThumbnailSize) {
        if ((r = ReadDataPacket(packet, sizeof packet)) != kCamOk) return r;
        DWORD take = std::min(kThumbnailSize - filled, kThumbnailPacket);
        std::memcpy(*data + filled, packet, take);
        filled += take;
        report(filled);
    }
    return ReadCompletion(false);
}

DWORD CSerialCamera::ReadThumbnailByNumber(DWORD number, BYTE** data, TransferProgressCallback progress,
                                           ULONG_PTR user) {
    if (!connected_) return kCamNotConnected;
    if (BadBufferOut(data)) return kCamBadArgument;
    DWORD r = RunCommand(kCmdThumbnailByNumber, NumberArgs(number).bytes, nullptr, 0, 0);
    return r != kCamOk ? r : ReadThumbnailData(data, progress, user);
}

DWORD CSerialCamera::ReadThumbnail(const char* path, BYTE** data, TransferProgressCallback progress,
                                   ULONG_PTR user) {
    if (!connected_) return kCamNotConnected;
    if (BadBufferOut(data)) return kCamBadArgument;
    DWORD r = RunCommand(kCmdThumbnail, kNoArgs, path ? path : "", kAllOnes, kAllOnes);
    return r != kCamOk ? r : ReadThumbnailData(data, progress, user);
}

DWORD CSerialCamera::ReadPictureInfoData(CPictureInfo** info) {
    BYTE packet[kInfoPacket + 1];
    DWORD r = ReadDataPacket(packet, sizeof packet);
    if (r != kCamOk) return r;
    auto* object = new (std::nothrow) CPictureInfo{new (std::nothrow) BYTE[kPictureInfoSize]};
    if (!object || !object->record) {
        FreePictureInfo(object);
        return kCamOutOfMemory;
    }
    std::memcpy(object->record, packet, kPictureInfoSize);
    *info = object;
    return ReadCompletion(false);
}

DWORD CSerialCamera::ReadPictureInfoByNumber(DWORD number, CPictureInfo** info) {
    if (!connected_) return kCamNotConnected;
    if (!info || *info) return kCamBadArgument;
    DWORD r = RunCommand(kCmdPictureInfoByNumber, NumberArgs(number).bytes, nullptr, 0, 0);
    return r != kCamOk ? r : ReadPictureInfoData(info);
}

DWORD CSerialCamera::ReadPictureInfo(const char* path, CPictureInfo** info) {
    if (!connected_) return kCamNotConnected;
    if (!info || *info) return kCamBadArgument;
    DWORD r = RunCommand(kCmdPictureInfo, kNoArgs, path ? path : "", kAllOnes, kAllOnes);
    return r != kCamOk ? r : ReadPictureInfoData(info);
}

DWORD CSerialCamera::EraseFile(const char* path) {
    if (!connected_) return kCamNotConnected;
    DWORD r = RunCommand(kCmdEraseFile, kNoArgs, path ? path : "", 0, kAllOnes);
    return r != kCamOk ? r : ReadCompletion(false);
}

DWORD CSerialCamera::FormatCard() {
    if (!connected_) return kCamNotConnected;
    DWORD r = RunCommand(kCmdFormatCard, kNoArgs, "", 0, 0);
    if (r != kCamOk) return r;
    BYTE packet[kFormatPacket + 1];
    r = ReadDataPacket(packet, sizeof packet);
    return r != kCamOk ? r : ReadCompletion(false);
}

DWORD CSerialCamera::ErasePicture(DWORD number) {
    NumberArgs args(number);
    return SendCommand(kCmdErasePicture, args.bytes[0], args.bytes[1], 0, 0);
}

DWORD CSerialCamera::SetClock(DWORD clock) {
    BYTE b[4];
    pvhost::PutBigEndian32(b, clock);
    return SendCommand(kCmdSetClock, b[0], b[1], b[2], b[3]);
}

DWORD CSerialCamera::SendSetting(BYTE code, DWORD value) {
    return SendCommand(code, static_cast<BYTE>(value), 0, 0, 0);
}

DWORD CSerialCamera::SetQuality(DWORD value) { return SendSetting(kCmdQuality, value); }
DWORD CSerialCamera::SetResolution(DWORD value) { return SendSetting(kCmdResolution, value); }
DWORD CSerialCamera::SetZoom(DWORD value) { return SendSetting(kCmdZoom, value); }
DWORD CSerialCamera::SetExposureCompensation(DWORD value) { return SendSetting(kCmdExposure, value); }
DWORD CSerialCamera::SetFileFormat(DWORD value) { return SendSetting(kCmdFileFormat, value); }
DWORD CSerialCamera::SetFlashMode(DWORD value) { return SendSetting(kCmdFlashMode, value); }
DWORD CSerialCamera::SetSelfTimer(DWORD value) { return SendSetting(kCmdSelfTimer, value); }
DWORD CSerialCamera::TakePicture() { return SendCommand(kCmdTakePicture, 0, 0, 0, 0); }

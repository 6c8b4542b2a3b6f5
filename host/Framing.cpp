// The byte-level exchange with the camera: command blocks, answers, packets and verdicts.
#include "SerialCamera.h"

#include "PathPacket.h"
#include "pvlink.h"

namespace {

constexpr BYTE kEndOfCommand = 0x1A;
constexpr BYTE kAccepted = 0xD1;
constexpr BYTE kRejected = 0xE1;
constexpr BYTE kCameraError = 0xE2;
constexpr BYTE kNotReady = 0x10;
constexpr BYTE kDataFollows = 0x01;
constexpr BYTE kBusy = 0xF0;
constexpr BYTE kComplete = 0x00;
constexpr BYTE kPacketAccepted = 0xD2;
constexpr BYTE kSendAgain = 0xE3;
constexpr BYTE kCancel = 0xE4;
constexpr BYTE kHostDataWithdrawn = 0xFF;

constexpr DWORD kNotReadyWaitMs = 1500;
// Bounds of our own on loops the protocol leaves open:
// - a command block is sent at most this often while a repetition after "not ready" is pending;
constexpr int kMaxBlockSends = 4;
// - a host packet is sent at most this often, withdrawn copies included;
constexpr int kMaxHostPacketSends = 6;
// - a camera may announce this many busy bytes in place of one control or completion byte;
constexpr int kMaxBusyBytes = 1000;
// - the completion step gives up after this many empty reads once the camera said busy.
constexpr int kMaxCompletionMisses = 4;
// - a camera packet is asked for again once; a second bad copy (checksum or length) cancels.
constexpr int kMaxPacketFailures = 2;

}  // namespace

DWORD CSerialCamera::VerifyPacketChecksum(const BYTE* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    BYTE sum = 0;
    for (DWORD i = 0; i + 1 < size; ++i) sum ^= buffer[i];
    return sum == buffer[size - 1] ? 1 : 0;
}

void CSerialCamera::SetPacketChecksum(BYTE* buffer, DWORD size) {
    if (!buffer || size < 2) return;
    BYTE sum = 0;
    for (DWORD i = 1; i + 1 < size; ++i) sum ^= buffer[i];
    buffer[size - 1] = sum;
}

// Reads one byte; the result is 0, or 6 when nothing came, 7 when the read failed with the byte.
DWORD CSerialCamera::ReadByte(BYTE& value, DWORD& got) {
    got = 0;
    DWORD ok = CommRead(port_, &value, 1, &got);
    if (got == 0) return kCamNoAnswer;
    return ok ? kCamOk : kCamReadFailed;
}

// Writes one byte; 8 when it did not go out, 9 when the write failed after sending it.
DWORD CSerialCamera::WriteByte(BYTE value) {
    DWORD done = 0;
    DWORD ok = CommWrite(port_, &value, 1, &done);
    if (done != 1) return kCamShortWrite;
    return ok ? kCamOk : kCamWriteFailed;
}

DWORD CSerialCamera::RunCommandBlock(BYTE code, const BYTE args[4], BlockAnswers answers) {
    const BYTE block[8] = {code, 0, args[0], args[1], args[2], args[3], 0, kEndOfCommand};
    bool repeated = false;   // the camera said "not ready" once already
    bool pending = false;    // ... and no answer other than a camera error came since
    DWORD last = kCamOk;
    for (int sends = 0; sends < kMaxBlockSends; ++sends) {
        CommPurge(port_);
        DWORD written = 0;
        DWORD ok = CommWrite(port_, block, sizeof block, &written);
        last = written < sizeof block ? kCamShortWrite : ok ? kCamOk : kCamWriteFailed;
        if (last != kCamOk) {
            if (pending) continue;
            return last;
        }
        BYTE answer = 0;
        DWORD got = 0;
        last = ReadByte(answer, got);
        if (last != kCamOk) {
            if (pending) continue;
            return last;
        }
        if (answer == kAccepted) return kCamOk;
        if (answer == kRejected) return kCamRejected;
        if (answer == kNotReady) {
            if (repeated) return kCamNotReady;
            repeated = pending = true;
            Sleep(kNotReadyWaitMs);
            continue;
        }
        if (answer == kCameraError && answers == BlockAnswers::Command) {
            last = kCamCommandError;
            if (pending) continue;
            return last;
        }
        return kCamUnexpectedAnswer;
    }
    return last;
}

DWORD CSerialCamera::ReadCompletion(bool waitOutBusy) {
    BYTE value = 0;
    DWORD got = 0;
    bool busySeen = false;
    int misses = 0;
    for (int busy = 0; busy <= kMaxBusyBytes;) {
        DWORD r = ReadByte(value, got);
        if (r == kCamNoAnswer && busySeen) {
            if (++misses >= kMaxCompletionMisses) return kCamCameraError;
            continue;
        }
        if (r != kCamOk) return r;
        if (waitOutBusy && value == kBusy) {
            busySeen = true;
            ++busy;
            continue;
        }
        return value == kComplete ? kCamOk : kCamCameraError;
    }
    return kCamCameraError;
}

DWORD CSerialCamera::SendCommand(BYTE code, BYTE arg1, BYTE arg2, BYTE arg3, BYTE arg4) {
    if (!connected_) return kCamNotConnected;
    const BYTE args[4] = {arg1, arg2, arg3, arg4};
    DWORD r = RunCommandBlock(code, args, BlockAnswers::Command);
    return r != kCamOk ? r : ReadCompletion(true);
}

DWORD CSerialCamera::ReadDataPacket(BYTE* buffer, DWORD size) {
    if (!buffer || size < 2) return kCamBadArgument;
    int failures = 0;
    int busy = 0;
    for (;;) {
        BYTE control = 0;
        DWORD got = 0;
        // A control byte that never comes is reported at once rather than as an empty packet.
        DWORD r = ReadByte(control, got);
        if (r != kCamOk) return r;
        if (control == kBusy) {
            if (++busy > kMaxBusyBytes) return kCamCameraError;
            continue;
        }
        if (control == kCameraError) return kCamCameraError;
        if (control != kDataFollows) return kCamUnexpectedAnswer;

        got = 0;
        DWORD ok = CommRead(port_, buffer, size, &got);
        if (got == size && !ok) return kCamReadFailed;
        if (got == 1 && buffer[0] == kCameraError) return kCamCameraError;
        if (got == size && VerifyPacketChecksum(buffer, size)) return WriteByte(kPacketAccepted);
        if (++failures >= kMaxPacketFailures) {
            DWORD w = WriteByte(kCancel);
            return w == kCamWriteFailed ? kCamWriteFailed : kCamBadChecksum;
        }
        WriteByte(kSendAgain);
    }
}

DWORD CSerialCamera::AbortTransfer(BYTE* buffer, DWORD size) {
    if (!buffer || size == 0) return kCamBadArgument;
    DWORD got = 0;
    DWORD ok = CommRead(port_, buffer, size, &got);
    if (got == size) {
        if (!ok) return kCamReadFailed;
        return WriteByte(kCancel) == kCamWriteFailed ? kCamWriteFailed : kCamOk;
    }
    if (got == 1) return buffer[0] == kCameraError ? kCamCameraError : kCamUnexpectedAnswer;
    return kCamNoAnswer;
}

DWORD CSerialCamera::SendDataPacket(BYTE* buffer, DWORD size) {
    if (!buffer || size < 2) return kCamBadArgument;
    bool resendPending = false;
    bool withdrawn = false;
    DWORD result = kCamOk;
    auto write = [&] {
        SetPacketChecksum(buffer, size);
        DWORD done = 0;
        DWORD ok = CommWrite(port_, buffer, size, &done);
        if (done < size) return kCamShortWrite;
        if (!ok) return kCamWriteFailed;
        return withdrawn ? kCamPacketRefused : kCamOk;
    };
    for (int sends = 0; sends < kMaxHostPacketSends; ++sends) {
        result = write();
        if (result == kCamShortWrite || result == kCamWriteFailed) {
            if (resendPending) continue;
            return result;
        }
        BYTE answer = 0;
        DWORD got = 0;
        DWORD r = ReadByte(answer, got);
        if (r == kCamReadFailed) {
            result = r;
            if (resendPending) continue;
            return result;
        }
        if (r == kCamOk && answer == kPacketAccepted) return result;
        if (r != kCamOk || answer != kSendAgain) return kCamUnexpectedAnswer;
        if (resendPending) {
            // Second refusal: withdraw the packet. It goes out twice before the next verdict, so
            // a pair that no longer fits within the bound is not begun: half of one would be
            // left on the line for the camera to take as the start of the next command.
            if (sends + 2 >= kMaxHostPacketSends) return kCamPacketRefused;
            buffer[0] = kHostDataWithdrawn;
            withdrawn = true;
            ++sends;
            if (write() == kCamWriteFailed) result = kCamWriteFailed;
        }
        resendPending = true;
    }
    return result;
}

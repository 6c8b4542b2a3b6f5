#include "ModeTransfer.h"

#include "BmpFileCheck.h"
#include "GlobalMemory.h"

#include <cstring>

namespace sourcetest {
namespace {

// Strips of this many rows: several for every picture, the last one short.
constexpr TW_UINT32 kStripRows = 37;

Delivered Failed(SourceSession& session, TW_UINT16 result) {
    Delivered d;
    d.result = result;
    d.condition = result == TWRC_FAILURE ? session.app.ConditionCode() : TW_UINT16(TWCC_SUCCESS);
    return d;
}

Delivered Native(SourceSession& session) {
    TW_HANDLE handle = nullptr;
    const TW_UINT16 result = session.Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
    pv::GlobalBlock bitmap(handle);
    if (result != TWRC_XFERDONE) return Failed(session, result);
    Delivered d;
    d.result = result;
    pv::LockedGlobal bytes(bitmap.get());
    if (bytes) d.picture = FromPacked(bytes.as<BYTE>(), bytes.size());
    return d;
}

// Strips appended top row first; a strip that does not follow on from the last ends it.
Delivered Memory(SourceSession& session) {
    TW_SETUPMEMXFER setup{};
    if (session.Send(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup) != TWRC_SUCCESS) return Failed(session, TWRC_FAILURE);
    std::vector<BYTE> strip(setup.MinBufSize * kStripRows);
    TW_IMAGEMEMXFER transfer{};
    Delivered d;
    TW_UINT16 result = TWRC_SUCCESS;
    for (size_t strips = 0; result == TWRC_SUCCESS && strips <= setup.MaxBufSize / setup.MinBufSize; ++strips) {
        transfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(strip.size()), strip.data()};
        result = session.Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &transfer);
        if (result != TWRC_SUCCESS && result != TWRC_XFERDONE) return Failed(session, result);
        if (transfer.YOffset != TW_UINT32(d.picture.height) || transfer.BytesWritten != transfer.Rows * transfer.BytesPerRow ||
            transfer.BytesPerRow < transfer.Columns * 3)
            return Failed(session, TWRC_FAILURE);
        d.picture.width = int(transfer.Columns);
        d.picture.height += int(transfer.Rows);
        // Each row's pixels, without the padding of a row of a width that is no multiple of 4.
        for (TW_UINT32 row = 0; row < transfer.Rows; ++row) {
            auto start = strip.begin() + row * transfer.BytesPerRow;
            d.picture.pixels.insert(d.picture.pixels.end(), start, start + transfer.Columns * 3);
        }
    }
    d.result = result;
    return d;
}

Delivered File(SourceSession& session, const std::string& bmpPath) {
    TW_SETUPFILEXFER setup{};
    std::strncpy(setup.FileName, bmpPath.c_str(), sizeof setup.FileName - 1);
    setup.Format = TWFF_BMP;
    DeleteFileA(bmpPath.c_str());
    if (session.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup) != TWRC_SUCCESS) return Failed(session, TWRC_FAILURE);
    const TW_UINT16 result = session.Send(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
    if (result != TWRC_XFERDONE) return Failed(session, result);
    Delivered d;
    d.result = result;
    std::vector<BYTE> file;
    if (ReadWholeBmp(bmpPath, &file))
        d.picture = FromPacked(file.data() + sizeof(BITMAPFILEHEADER), file.size() - sizeof(BITMAPFILEHEADER));
    return d;
}

}  // namespace

const char* ModeName(Mode mode) {
    switch (mode) {
    case Mode::kNative: return "native";
    case Mode::kMemory: return "memory";
    case Mode::kFile: return "file";
    }
    return "?";
}

Delivered TransferPending(SourceSession& session, Mode mode, const std::string& bmpPath) {
    switch (mode) {
    case Mode::kNative: return Native(session);
    case Mode::kMemory: return Memory(session);
    case Mode::kFile: return File(session, bmpPath);
    }
    return {};
}

int EndTransfer(SourceSession& session) {
    TW_PENDINGXFERS pending{0xFFFF, 0};
    if (session.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) != TWRC_SUCCESS) return -1;
    return int(pending.Count);
}

}  // namespace sourcetest

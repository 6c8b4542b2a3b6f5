// The entry point's work: the origin check, the dispatch of each triplet by the state the source is
// in, and the mapping of the handlers' codes to TWAIN return and condition codes.
#include "ManagerMemory.h"
#include "SourceContext.h"

#include <initializer_list>
#include <new>

namespace source {
namespace {

using Handler = Code (*)(SourceContext&, TW_IDENTITY* origin, TW_UINT16 message, void* pData);

constexpr uint8_t States(std::initializer_list<State> states) {
    uint8_t mask = 0;
    for (State s : states) mask |= uint8_t(1 << s);
    return mask;
}
constexpr uint8_t kAnyState = 0x1F;
constexpr uint8_t kOpenToTransferring = States({kOpen, kEnabled, kTransferReady, kTransferring});
constexpr uint8_t kOpenToReady = States({kOpen, kEnabled, kTransferReady});
constexpr uint8_t kOpenOnly = States({kOpen});

struct Row {
    TW_UINT32 group;
    TW_UINT16 dat;
    std::initializer_list<TW_UINT16> messages;
    uint8_t states;
    Handler handler;
};

Code Capability(SourceContext& s, TW_IDENTITY*, TW_UINT16 message, void* pData) { return s.Capability(message, pData); }
Code Event(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.ProcessEvent(pData); }
Code Identity(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.GetIdentity(pData); }
Code Open(SourceContext& s, TW_IDENTITY* origin, TW_UINT16, void* pData) { return s.OpenSource(origin, pData); }
Code Close(SourceContext& s, TW_IDENTITY*, TW_UINT16, void*) { return s.CloseSource(); }
Code Pending(SourceContext& s, TW_IDENTITY*, TW_UINT16 message, void* pData) { return s.PendingTransfers(message, pData); }
Code Status(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.Status(pData); }
Code Enable(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.EnableSource(pData); }
Code Disable(SourceContext& s, TW_IDENTITY*, TW_UINT16, void*) { return s.DisableSource(); }
Code ImageInfo(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.ImageInfo(pData); }
Code ImageLayout(SourceContext& s, TW_IDENTITY*, TW_UINT16 message, void* pData) { return s.ImageLayout(message, pData); }
Code SetupMemory(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.SetupMemoryTransfer(pData); }
Code SetupFile(SourceContext& s, TW_IDENTITY*, TW_UINT16 message, void* pData) { return s.SetupFileTransfer(message, pData); }
Code Palette(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.Palette(pData); }
Code Native(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.NativeTransfer(pData); }
Code Memory(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.MemoryTransfer(pData); }
Code File(SourceContext& s, TW_IDENTITY*, TW_UINT16, void* pData) { return s.FileTransfer(pData); }
Code BadProtocol(SourceContext&, TW_IDENTITY*, TW_UINT16, void*) { return kBadProtocol; }

Code TransferGroup(SourceContext&, TW_IDENTITY*, TW_UINT16, void* pData) {
    if (!Writable(pData, sizeof(TW_UINT32))) return kBadValue;
    *static_cast<TW_UINT32*>(pData) = DG_IMAGE;
    return kOk;
}

const Row kTable[] = {
    {DG_CONTROL, DAT_CAPABILITY, {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}, kOpenToTransferring, Capability},
    {DG_CONTROL, DAT_CAPABILITY, {MSG_SET, MSG_RESET}, kOpenOnly, Capability},
    {DG_CONTROL, DAT_EVENT, {MSG_PROCESSEVENT}, States({kEnabled, kTransferReady, kTransferring}), Event},
    {DG_CONTROL, DAT_IDENTITY, {MSG_GET}, kAnyState, Identity},
    {DG_CONTROL, DAT_IDENTITY, {MSG_CLOSEDS}, kAnyState, Close},
    {DG_CONTROL, DAT_IDENTITY, {MSG_OPENDS}, States({kClosed}), Open},
    {DG_CONTROL, DAT_PENDINGXFERS, {MSG_GET}, kOpenToTransferring, Pending},
    {DG_CONTROL, DAT_PENDINGXFERS, {MSG_RESET}, States({kTransferReady}), Pending},
    {DG_CONTROL, DAT_PENDINGXFERS, {MSG_ENDXFER}, States({kTransferReady, kTransferring}), Pending},
    {DG_CONTROL, DAT_SETUPMEMXFER, {MSG_GET}, kOpenToReady, SetupMemory},
    {DG_CONTROL, DAT_SETUPFILEXFER, {MSG_GET, MSG_GETDEFAULT, MSG_SET}, kOpenToReady, SetupFile},
    {DG_CONTROL, DAT_SETUPFILEXFER, {MSG_RESET}, kOpenOnly, SetupFile},
    {DG_CONTROL, DAT_STATUS, {MSG_GET}, kOpenToTransferring, Status},
    {DG_CONTROL, DAT_USERINTERFACE, {MSG_ENABLEDS}, kOpenOnly, Enable},
    {DG_CONTROL, DAT_USERINTERFACE, {MSG_DISABLEDS}, States({kEnabled, kTransferReady, kTransferring}), Disable},
    {DG_CONTROL, DAT_XFERGROUP, {MSG_GET}, kOpenToReady, TransferGroup},
    {DG_IMAGE, DAT_IMAGEINFO, {MSG_GET}, States({kTransferReady}), ImageInfo},
    {DG_IMAGE, DAT_IMAGELAYOUT, {MSG_GET, MSG_GETDEFAULT}, kOpenToReady, ImageLayout},
    {DG_IMAGE, DAT_IMAGELAYOUT, {MSG_SET, MSG_RESET}, kOpenOnly, ImageLayout},
    {DG_IMAGE, DAT_IMAGEMEMXFER, {MSG_GET}, States({kTransferReady, kTransferring}), Memory},
    {DG_IMAGE, DAT_IMAGENATIVEXFER, {MSG_GET}, States({kTransferReady}), Native},
    {DG_IMAGE, DAT_IMAGEFILEXFER, {MSG_GET}, States({kTransferReady, kTransferring}), File},
    {DG_IMAGE, DAT_CIECOLOR, {MSG_GET}, kOpenToReady, BadProtocol},
    {DG_IMAGE, DAT_GRAYRESPONSE, {MSG_SET, MSG_RESET}, kOpenOnly, BadProtocol},
    {DG_IMAGE, DAT_RGBRESPONSE, {MSG_SET, MSG_RESET}, kOpenOnly, BadProtocol},
    {DG_IMAGE, DAT_JPEGCOMPRESSION, {MSG_GET, MSG_GETDEFAULT}, kOpenToReady, BadProtocol},
    {DG_IMAGE, DAT_JPEGCOMPRESSION, {MSG_SET, MSG_RESET}, kOpenOnly, BadProtocol},
    {DG_IMAGE, DAT_PALETTE8, {MSG_GET}, kOpenToReady, Palette},
    {DG_IMAGE, DAT_PALETTE8, {MSG_GETDEFAULT}, kOpenToReady, BadProtocol},
    {DG_IMAGE, DAT_PALETTE8, {MSG_SET, MSG_RESET}, kOpenOnly, BadProtocol},
};

const Row* FindRow(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message) {
    for (const Row& row : kTable) {
        if (row.group != group || row.dat != dat) continue;
        for (TW_UINT16 m : row.messages)
            if (m == message) return &row;
    }
    return nullptr;
}

bool Is(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, TW_UINT32 g, TW_UINT16 d, TW_UINT16 m) {
    return group == g && dat == d && message == m;
}

}  // namespace

TW_UINT16 SourceContext::Entry(TW_IDENTITY* origin, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData) {
    auto map = [this](Code code) -> TW_UINT16 {
        conditionCode_ = TW_UINT16(code & ~kConditionFlag);
        if (code == kOk) return TWRC_SUCCESS;
        if (code == kNoMemory) return TWRC_CHECKSTATUS;
        if (code >= kCancel && code <= kXferDone) {
            conditionCode_ = TWCC_SUCCESS;
            return TW_UINT16(code);
        }
        return TWRC_FAILURE;
    };
    try {
#ifdef _WIN64
        if (Is(group, dat, message, DG_CONTROL, DAT_ENTRYPOINT, MSG_SET)) {
            auto entry = static_cast<const TW_ENTRYPOINT*>(pData);
            if (!Readable(entry, sizeof *entry) || !entry->DSM_Entry) return map(kBadValue);
            managerEntry_ = entry->DSM_Entry;
            ManagerMemory::Use(*entry);
            return map(kOk);
        }
#endif
        bool getIdentity = Is(group, dat, message, DG_CONTROL, DAT_IDENTITY, MSG_GET);
        bool openSource = Is(group, dat, message, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS);
        if (application_.Id == 0) {
            // Nobody has the source open: it describes itself and opens, and answers nothing else.
            if (!getIdentity && !openSource) return TWRC_FAILURE;
            if (openSource && !Readable(origin, sizeof *origin)) return TWRC_FAILURE;
            Code code = getIdentity ? GetIdentity(pData) : OpenSource(origin, pData);
            return code == kOk ? TWRC_SUCCESS : TWRC_FAILURE;
        }
        if (!Readable(origin, sizeof *origin)) return map(kBadValue);
        if (origin->Id != application_.Id) {
            if (getIdentity) return map(GetIdentity(pData));
            if (origin->Id == refusedId_ && Is(group, dat, message, DG_CONTROL, DAT_STATUS, MSG_GET)) {
                if (Writable(pData, sizeof(TW_UINT16))) *static_cast<TW_UINT16*>(pData) = TWCC_MAXCONNECTIONS;
                return TWRC_SUCCESS;
            }
            if (openSource) refusedId_ = origin->Id;
            return TWRC_FAILURE;
        }
        const Row* row = FindRow(group, dat, message);
        if (!row) return map(kBadValue);
        if (!(row->states & (1 << state_))) return map(kSeqError);
        return map(row->handler(*this, origin, message, pData));
    } catch (const std::bad_alloc&) {
        return map(kNoMemory);
    }
}

}  // namespace source

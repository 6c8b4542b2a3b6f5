// Every triplet of the source's dispatch table, and some outside it, in each state: the return
// code, the condition code and the state it leaves the source in.
#include "CameraSourceFixture.h"
#include "GlobalMemory.h"
#include "SimulatedCamera.h"
#include "SourceSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using sourcetest::SourceSession;

namespace {

struct Expect {
    TW_UINT16 rc;
    TW_UINT16 cc;
    int after;   // the state afterwards; -1: unchanged
};
constexpr Expect OK{TWRC_SUCCESS, TWCC_SUCCESS, -1};
constexpr Expect SEQ{TWRC_FAILURE, TWCC_SEQERROR, -1};
constexpr Expect BV{TWRC_FAILURE, TWCC_BADVALUE, -1};
constexpr Expect BP{TWRC_FAILURE, TWCC_BADPROTOCOL, -1};
constexpr Expect kNotDsEvent{TWRC_NOTDSEVENT, TWCC_SUCCESS, -1};
// The frame is not taken: TWRC_CHECKSTATUS with its condition.
constexpr Expect CHECK{TWRC_CHECKSTATUS, 2, -1};
// Not sent in this state (a transfer: the transfer tests' own).
constexpr Expect kSkip{0xFFFF, 0xFFFF, -1};
constexpr Expect To(int state) { return {TWRC_SUCCESS, TWCC_SUCCESS, state}; }

enum class Data { kCapGet, kCapSet, kEvent, kIdentity, kPending, kStatus, kInterface, kNumber, kBuffer };

struct Case {
    const char* name;
    TW_UINT32 group;
    TW_UINT16 dat, message;
    Data data;
    Expect inState[3];   // open, enabled (with the dialog), transfer ready
    bool throughManager = false;   // MSG_CLOSEDS goes through the manager, as applications send it
};

const Case kCases[] = {
    {"CAP GET", DG_CONTROL, DAT_CAPABILITY, MSG_GET, Data::kCapGet, {OK, OK, OK}},
    {"CAP GETCURRENT", DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, Data::kCapGet, {OK, OK, OK}},
    {"CAP GETDEFAULT", DG_CONTROL, DAT_CAPABILITY, MSG_GETDEFAULT, Data::kCapGet, {OK, OK, OK}},
    {"CAP SET", DG_CONTROL, DAT_CAPABILITY, MSG_SET, Data::kCapSet, {OK, SEQ, SEQ}},
    {"CAP RESET", DG_CONTROL, DAT_CAPABILITY, MSG_RESET, Data::kCapGet, {OK, SEQ, SEQ}},
    {"CAP QUERYSUPPORT", DG_CONTROL, DAT_CAPABILITY, MSG_QUERYSUPPORT, Data::kCapGet, {BV, BV, BV}},
    {"EVENT PROCESSEVENT", DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, Data::kEvent, {SEQ, kNotDsEvent, kNotDsEvent}},
    {"IDENTITY GET", DG_CONTROL, DAT_IDENTITY, MSG_GET, Data::kIdentity, {OK, OK, OK}},
    {"IDENTITY OPENDS", DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, Data::kIdentity, {SEQ, SEQ, SEQ}},
    {"IDENTITY CLOSEDS", DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, Data::kIdentity, {To(0), To(0), SEQ}, true},
    {"IDENTITY GETFIRST", DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, Data::kIdentity, {BV, BV, BV}},
    {"PENDINGXFERS GET", DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, Data::kPending, {OK, OK, OK}},
    {"PENDINGXFERS RESET", DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, Data::kPending, {SEQ, SEQ, OK}},
    {"PENDINGXFERS ENDXFER", DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, Data::kPending, {SEQ, SEQ, To(2)}},
    {"STATUS GET", DG_CONTROL, DAT_STATUS, MSG_GET, Data::kStatus, {OK, OK, OK}},
    {"USERINTERFACE ENABLEDS", DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, Data::kInterface, {To(3), SEQ, SEQ}},
    {"USERINTERFACE DISABLEDS", DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, Data::kInterface, {SEQ, To(1), To(1)}},
    {"USERINTERFACE ENABLEDSUIONLY", DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDSUIONLY, Data::kInterface, {BV, BV, BV}},
    {"XFERGROUP GET", DG_CONTROL, DAT_XFERGROUP, MSG_GET, Data::kNumber, {OK, OK, OK}},
    {"XFERGROUP SET", DG_CONTROL, DAT_XFERGROUP, MSG_SET, Data::kNumber, {BV, BV, BV}},
    {"PARENT OPENDSM", DG_CONTROL, DAT_PARENT, MSG_OPENDSM, Data::kBuffer, {BV, BV, BV}},
    {"NULL XFERREADY", DG_CONTROL, DAT_NULL, MSG_XFERREADY, Data::kBuffer, {BV, BV, BV}},
    {"SETUPMEMXFER GET", DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, Data::kBuffer, {OK, OK, OK}},
    {"SETUPMEMXFER SET", DG_CONTROL, DAT_SETUPMEMXFER, MSG_SET, Data::kBuffer, {BV, BV, BV}},
    {"SETUPFILEXFER GET", DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, Data::kBuffer, {OK, OK, OK}},
    {"SETUPFILEXFER GETDEFAULT", DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETDEFAULT, Data::kBuffer, {OK, OK, OK}},
    {"SETUPFILEXFER SET (TIFF)", DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, Data::kBuffer, {BV, BV, BV}},
    {"SETUPFILEXFER RESET", DG_CONTROL, DAT_SETUPFILEXFER, MSG_RESET, Data::kBuffer, {OK, SEQ, SEQ}},
    {"IMAGEINFO GET", DG_IMAGE, DAT_IMAGEINFO, MSG_GET, Data::kBuffer, {SEQ, SEQ, OK}},
    {"IMAGELAYOUT GET", DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, Data::kBuffer, {OK, OK, OK}},
    {"IMAGELAYOUT GETDEFAULT", DG_IMAGE, DAT_IMAGELAYOUT, MSG_GETDEFAULT, Data::kBuffer, {OK, OK, OK}},
    {"IMAGELAYOUT SET", DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, Data::kBuffer, {CHECK, SEQ, SEQ}},
    {"IMAGELAYOUT RESET", DG_IMAGE, DAT_IMAGELAYOUT, MSG_RESET, Data::kBuffer, {OK, SEQ, SEQ}},
    {"IMAGEMEMXFER GET (no memory)", DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, Data::kBuffer, {SEQ, SEQ, BV}},
    {"IMAGENATIVEXFER GET in the wrong state", DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, Data::kBuffer, {SEQ, SEQ, kSkip}},
    {"IMAGEFILEXFER GET in the wrong state", DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, Data::kBuffer, {SEQ, SEQ, kSkip}},
    {"CIECOLOR GET", DG_IMAGE, DAT_CIECOLOR, MSG_GET, Data::kBuffer, {BP, BP, BP}},
    {"GRAYRESPONSE SET", DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"GRAYRESPONSE RESET", DG_IMAGE, DAT_GRAYRESPONSE, MSG_RESET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"GRAYRESPONSE GET", DG_IMAGE, DAT_GRAYRESPONSE, MSG_GET, Data::kBuffer, {BV, BV, BV}},
    {"RGBRESPONSE SET", DG_IMAGE, DAT_RGBRESPONSE, MSG_SET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"RGBRESPONSE RESET", DG_IMAGE, DAT_RGBRESPONSE, MSG_RESET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"JPEGCOMPRESSION GET", DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, Data::kBuffer, {BP, BP, BP}},
    {"JPEGCOMPRESSION GETDEFAULT", DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GETDEFAULT, Data::kBuffer, {BP, BP, BP}},
    {"JPEGCOMPRESSION SET", DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_SET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"JPEGCOMPRESSION RESET", DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_RESET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"PALETTE8 GET", DG_IMAGE, DAT_PALETTE8, MSG_GET, Data::kBuffer, {OK, OK, OK}},
    {"PALETTE8 GETDEFAULT", DG_IMAGE, DAT_PALETTE8, MSG_GETDEFAULT, Data::kBuffer, {BP, BP, BP}},
    {"PALETTE8 SET", DG_IMAGE, DAT_PALETTE8, MSG_SET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"PALETTE8 RESET", DG_IMAGE, DAT_PALETTE8, MSG_RESET, Data::kBuffer, {BP, SEQ, SEQ}},
    {"AUDIO GET", DG_AUDIO, 0x0202, MSG_GET, Data::kBuffer, {BV, BV, BV}},
    {"GROUP 3 CAP GET", 3, DAT_CAPABILITY, MSG_GET, Data::kCapGet, {BV, BV, BV}},
    {"CONTROL 0x0FFF GET", DG_CONTROL, 0x0FFF, MSG_GET, Data::kBuffer, {BV, BV, BV}},
};

// The pData of a case, with whatever the source hands back freed afterwards.
struct CaseData {
    explicit CaseData(Data kind, HWND window) {
        switch (kind) {
        case Data::kCapGet: capability = {CAP_XFERCOUNT, TWON_DONTCARE16, nullptr}; pointer = &capability; break;
        case Data::kCapSet:
            offered.reset(sourcetest::OneValue(TWTY_INT16, 5));
            capability = {CAP_XFERCOUNT, TWON_ONEVALUE, offered.get()};
            pointer = &capability;
            break;
        case Data::kEvent:
            message = {window, WM_NULL, 0, 0, 0, {}};
            event = {&message, MSG_NULL};
            pointer = &event;
            break;
        case Data::kIdentity: pointer = &identity; break;
        case Data::kPending: pointer = &pending; break;
        case Data::kStatus: pointer = &status; break;
        case Data::kInterface: ui = {FALSE, FALSE, window}; pointer = &ui; break;
        case Data::kNumber: pointer = &number; break;
        case Data::kBuffer: pointer = buffer; break;
        }
    }
    ~CaseData() {
        if (capability.hContainer != offered.get()) pv::GlobalBlock answered(capability.hContainer);
    }
    TW_CAPABILITY capability{};
    pv::GlobalBlock offered;
    MSG message{};
    TW_EVENT event{};
    TW_IDENTITY identity{};
    TW_PENDINGXFERS pending{};
    TW_STATUS status{};
    TW_USERINTERFACE ui{};
    TW_UINT32 number = 0;
    BYTE buffer[2048] = {};
    void* pointer = nullptr;
};

class TripletTableTest : public CameraSourceTest {};

}  // namespace

TEST_F(TripletTableTest, EveryTripletInEveryOpenState) {
    const char* stateNames[] = {"open", "enabled", "transfer ready"};
    for (int state = 1; state <= 3; ++state) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(c.name) + " in state " + stateNames[state - 1]);
            if (c.inState[state - 1].rc == kSkip.rc) continue;
            ASSERT_TRUE(session->GoTo(state));
            CaseData data(c.data, session->app.window());
            TW_UINT16 rc = c.throughManager ? session->app.CloseSource()
                                            : session->DirectEntry()(&session->app.application(), c.group, c.dat,
                                                                     c.message, data.pointer);
            const Expect& expect = c.inState[state - 1];
            EXPECT_EQ(expect.rc, rc);
            int after = expect.after < 0 ? state : expect.after;
            if (after != 0) {
                EXPECT_EQ(expect.cc, session->app.ConditionCode());
            }
            EXPECT_EQ(after, session->Probe());
        }
    }
}

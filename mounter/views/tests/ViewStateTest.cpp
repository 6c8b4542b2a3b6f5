// The 76-byte view state record: its defaults, which stored records a view accepts, and how an
// accepted record is kept inside its ranges.
#include "MounterClasses.h"
#include "MounterViewState.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shobjidl.h>

namespace {

// A stream holding the bytes, read from its start.
IStream* StreamOf(const void* bytes, ULONG size) {
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    stream->Write(bytes, size, nullptr);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

MounterViewState Read(const MounterViewState& stored, ULONG size = sizeof(MounterViewState),
                      const CLSID& reader = CLSID_PV360Memory) {
    IStream* stream = StreamOf(&stored, size);
    MounterViewState state = ReadViewState(stream, reader);
    stream->Release();
    return state;
}

MounterViewState Details() {
    MounterViewState state = MounterViewState::Defaults(CLSID_PV360Memory);
    state.SetListType(LVS_REPORT);
    state.viewMode = FVM_DETAILS;
    state.columnWidths[0] = 200;
    state.sortColumn = 3;
    return state;
}

}  // namespace

TEST(ViewStateTest, DefaultsAreLargeIconsSortedByName) {
    MounterViewState state = MounterViewState::Defaults(CLSID_PV360Album);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&state);
    EXPECT_EQ(76u, *reinterpret_cast<const DWORD*>(bytes));
    EXPECT_EQ(0x0E00u, *reinterpret_cast<const DWORD*>(bytes + 4));
    EXPECT_TRUE(IsEqualCLSID(CLSID_PV360Album, *reinterpret_cast<const CLSID*>(bytes + 8)));
    const DWORD expected[] = {0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0, 1, 1, 0, 1, 1, 0, 0};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(expected[i], *reinterpret_cast<const DWORD*>(bytes + 24 + 4 * i)) << i;
}

TEST(ViewStateTest, AStoredRecordOfTheSameFolderLevelIsUsed) {
    MounterViewState state = Read(Details());
    EXPECT_EQ(DWORD(FVM_DETAILS), state.viewMode);
    EXPECT_EQ(DWORD(LVS_REPORT), state.ListType());
    EXPECT_EQ(200, state.columnWidths[0]);
    EXPECT_EQ(3u, state.sortColumn);
}

TEST(ViewStateTest, RecordsOfAnotherLevelVersionOrSizeOrWithoutWidthsAreRefused) {
    MounterViewState other = Details();
    other.folderClass = CLSID_PV360Album;
    MounterViewState version = Details();
    version.version = 0x0D00;
    MounterViewState size = Details();
    size.size = 80;
    MounterViewState zeroWidths = Details();
    for (LONG& width : zeroWidths.columnWidths) width = 0;
    for (const MounterViewState& refused : {other, version, size, zeroWidths}) {
        MounterViewState state = Read(refused);
        EXPECT_EQ(DWORD(FVM_ICON), state.viewMode);
        EXPECT_EQ(0u, state.sortColumn);
        EXPECT_TRUE(IsEqualCLSID(CLSID_PV360Memory, state.folderClass));
    }
    EXPECT_EQ(DWORD(FVM_ICON), Read(Details(), 40).viewMode) << "a short record";
    EXPECT_EQ(DWORD(FVM_ICON), ReadViewState(nullptr, CLSID_PV360Memory).viewMode) << "no stream";
    MounterViewState oneWidth = zeroWidths;
    oneWidth.columnWidths[3] = 90;
    EXPECT_EQ(DWORD(FVM_DETAILS), Read(oneWidth).viewMode) << "one width is enough";
}

TEST(ViewStateTest, AnAcceptedRecordIsKeptInsideItsRanges) {
    MounterViewState stored = Details();
    stored.listStyle = LVS_REPORT | LVS_AUTOARRANGE | WS_POPUP | LVS_OWNERDATA;
    stored.sortColumn = 9;
    stored.nameAscending = 7;
    stored.viewMode = 12;
    stored.thumbnails = 5;
    MounterViewState state = Read(stored);
    EXPECT_EQ(DWORD(LVS_REPORT | LVS_AUTOARRANGE), state.listStyle);
    EXPECT_EQ(0u, state.sortColumn);
    EXPECT_EQ(1u, state.nameAscending);
    EXPECT_EQ(1u, state.thumbnails);
    EXPECT_EQ(DWORD(FVM_DETAILS), state.viewMode) << "thumbnails are shown in the details mode";
}

TEST(ViewStateTest, WritingPutsTheExactRecord) {
    IStream* stream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    ASSERT_TRUE(WriteViewState(stream, Details()));
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(76u, stat.cbSize.QuadPart);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(200, ReadViewState(stream, CLSID_PV360Memory).columnWidths[0]);
    stream->Release();
    EXPECT_FALSE(WriteViewState(nullptr, Details()));
}

#include "MounterViewState.h"

#include <commctrl.h>
#include <shobjidl.h>

#include <initializer_list>

MounterViewState MounterViewState::Defaults(const CLSID& folderClass) {
    MounterViewState state = {};
    state.size = kSize;
    state.version = kVersion;
    state.folderClass = folderClass;
    state.listStyle = LVS_ICON;
    for (LONG& width : state.columnWidths) width = -1;
    state.sortColumn = 0;
    state.typeAscending = 1;
    state.sizeAscending = 1;
    state.dateAscending = 0;
    state.nameAscending = 1;
    state.viewMode = FVM_ICON;
    state.folderFlags = 0;
    state.thumbnails = 0;
    return state;
}

bool MounterViewState::AcceptableFor(const CLSID& expected) const {
    bool anyWidth = false;
    for (LONG width : columnWidths) anyWidth = anyWidth || width != 0;
    return size == kSize && IsEqualCLSID(folderClass, expected) && version == kVersion && anyWidth;
}

MounterViewState MounterViewState::Normalised() const {
    MounterViewState state = *this;
    state.listStyle &= kViewStateStyleBits;
    if (state.sortColumn > 3) state.sortColumn = 0;
    for (DWORD* flag : {&state.typeAscending, &state.sizeAscending, &state.dateAscending, &state.nameAscending})
        *flag = *flag ? 1 : 0;
    if (state.viewMode < FVM_ICON || state.viewMode > FVM_DETAILS) state.viewMode = FVM_ICON;
    state.thumbnails = state.thumbnails ? 1 : 0;
    if (state.thumbnails) {
        state.viewMode = FVM_DETAILS;
        state.SetListType(LVS_REPORT);
    }
    return state;
}

DWORD& MounterViewState::Ascending(DWORD column) {
    switch (column) {
    case 1: return sizeAscending;
    case 2: return typeAscending;
    case 3: return dateAscending;
    default: return nameAscending;
    }
}

MounterViewState ReadViewState(IStream* stream, const CLSID& folderClass) {
    MounterViewState stored = {};
    ULONG read = 0;
    if (stream && SUCCEEDED(stream->Read(&stored, sizeof stored, &read)) && read == sizeof stored &&
        stored.AcceptableFor(folderClass))
        return stored.Normalised();
    return MounterViewState::Defaults(folderClass);
}

bool WriteViewState(IStream* stream, const MounterViewState& state) {
    ULONG written = 0;
    return stream && SUCCEEDED(stream->Write(&state, sizeof state, &written)) && written == sizeof state;
}

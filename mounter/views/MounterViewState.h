// The persisted settings of a shell view: this exact 76-byte image is written to and read from the
// browser's view state stream.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>

struct MounterViewState {
    DWORD size;               // 76
    DWORD version;            // 0x0E00
    CLSID folderClass;        // the folder level the record belongs to
    DWORD listStyle;          // view type (LVS_ICON .. LVS_LIST) in bits 0-1, plus list control flags
    LONG columnWidths[4];     // Name, Size, Type, Picture Taken On; -1 = not set
    DWORD sortColumn;         // 0 to 3
    DWORD typeAscending;
    DWORD sizeAscending;
    DWORD dateAscending;
    DWORD nameAscending;
    DWORD viewMode;           // FOLDERSETTINGS ViewMode: 1 large icons .. 4 details
    DWORD folderFlags;        // FOLDERSETTINGS fFlags; bit 0 auto arrange
    DWORD thumbnails;         // 1 while the thumbnail view is shown (view mode 4 then)

    static constexpr DWORD kSize = 76;
    static constexpr DWORD kVersion = 0x0E00;

    // The defaults of a folder level.
    static MounterViewState Defaults(const CLSID& folderClass);
    // Whether a stored record may be used by a view of that folder level.
    bool AcceptableFor(const CLSID& folderClass) const;
    // A stored record with every field inside its range: list control flags only, a known sort
    // column and view mode, direction and thumbnail flags of 0 or 1; the thumbnail flag implies
    // the details mode.
    MounterViewState Normalised() const;

    // The direction flag of a sort column (0 Name, 1 Size, 2 Type, 3 Date).
    DWORD& Ascending(DWORD column);
    DWORD ListType() const { return listStyle & 3; }
    void SetListType(DWORD type) { listStyle = (listStyle & ~DWORD(3)) | (type & 3); }
};
// The list control styles the record may carry.
constexpr DWORD kViewStateStyleBits = 0x3 | 0x0004 /*LVS_SINGLESEL*/ | 0x0100 /*LVS_AUTOARRANGE*/ |
                                      0x0800 /*LVS_ALIGNLEFT*/ | 0x2000 /*LVS_NOSCROLL*/;

static_assert(sizeof(MounterViewState) == MounterViewState::kSize);
static_assert(offsetof(MounterViewState, columnWidths) == 28);
static_assert(offsetof(MounterViewState, thumbnails) == 72);

// The record of a view state stream, or the defaults when there is none or it is refused.
MounterViewState ReadViewState(IStream* stream, const CLSID& folderClass);
// Writes the whole record; false when the stream took less.
bool WriteViewState(IStream* stream, const MounterViewState& state);

// The calls of pvacquire.dll that the TWAIN data source makes: the acquire dialog (open, close,
// its messages), acquiring without a dialog, and the pictures chosen, one at a time. Results are
// 0 for success unless said otherwise.
#pragma once

#include <windows.h>

#include <cstdint>

// What the source learns about a picture before it is transferred (16 bytes).
struct PictureInfo {
    uint32_t number;
    uint32_t width;
    uint32_t height;
    uint32_t byteSize;   // of the decoded picture: width x height x 3 in colour, width x height in grey
};

#pragma pack(push, 1)
// The user's selection, read by the selection callback while it runs.
struct SelectionRecord {
    uint16_t unused1;
    uint32_t count;
    uint32_t unused2;
    uint32_t unused3;
    uint16_t* numbers;   // count picture numbers
};
#pragma pack(pop)

static_assert(sizeof(PictureInfo) == 16);
static_assert(sizeof(SelectionRecord) == 14 + sizeof(void*));

// Status of the selection callback.
constexpr uint32_t kSelectionMade = 0;
constexpr uint32_t kSelectionClosed = 5;   // the user closed the dialog

// (status, selection or null, unused) -> 0 when the source took the selection.
using SelectionCallback = uint32_t(WINAPI*)(uint32_t status, SelectionRecord* selection, uintptr_t unused);
using NoDialogCallback = void(WINAPI*)();

// Results of the calls that report success or failure as 0 / 1.
constexpr uint16_t kAcquireOk = 0;
constexpr uint16_t kAcquireFailed = 1;

extern "C" {

// The modeless acquire dialog, owned by parent; null when it cannot be made.
HWND TwSrcUIOpen(HWND parent, int32_t transferLimit, SelectionCallback selected);
// Closes the dialog without a callback.
uint16_t TwSrcUIClose(HWND dialog);
// Nonzero when the message was the dialog's and has been handled.
uint16_t TwSrcUIIsDialogMessage(HWND dialog, MSG* message);
// Connects without a dialog and takes the camera's first picture; calls back before answering 0.
uint16_t UIODCNotUIWindow(int32_t transferLimit, NoDialogCallback done);
// Writes the number of the picture to transfer and a second value (two u16).
uint16_t UIODCGetCameraInfo(uint16_t* values);
uint16_t UIODCGetPictureInfo(uint32_t number, PictureInfo* info);
uint16_t UIODCGetRotateType(uint32_t number, uint16_t* rotation);
// The picture decoded into a packed 24-bit bottom-up bitmap in a movable block that the caller
// then owns; index is its position in the selection. 0 done, 3 cancelled by the user, 1 failed.
uint16_t UIODCGetImage(HGLOBAL* bitmap, uint32_t number, uint32_t index);
// Always RGB (2).
uint16_t UIODCGetImageType(uint16_t* type);
// There is no palette: always 1.
uint16_t UIODCGetPalette(uint32_t which, void* palette, BYTE* channel1, BYTE* channel2, BYTE* channel3);
uint16_t UIODCCloseDriverCamera();
// Nonzero when the source is to ask for closing after the last transfer (acquiring without dialog).
uint16_t UIODCUICloseAfterTransfer();

}  // extern "C"

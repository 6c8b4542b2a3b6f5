// What the toolkit hands out in blocks of its own, and the NIFRelease overloads that give each
// back: bytes (thumbnails), 32-bit numbers (identifier tables), floats, wide strings, arrays of wide
// strings and extension lists.
#pragma once

#include "NIFDefs.h"

#include <objbase.h>

extern "C" {

struct NIFWideStringArray {
    uint32_t count;
    wchar_t** strings;   // count strings, each ended by a null
};

// One extension of an extension list: its name and the class identifier that owns it.
struct NIFExtension {
    wchar_t* name;
    CLSID classId;
};

struct NIFExtensionList {
    uint32_t count;
    NIFExtension* extensions;
};

}

NIF_API void NIFRelease(uint8_t* array);
NIF_API void NIFRelease(uint32_t* array);
NIF_API void NIFRelease(float* array);
NIF_API void NIFRelease(wchar_t* text);
NIF_API void NIFRelease(NIFWideStringArray* array);
NIF_API void NIFRelease(NIFExtensionList* list);

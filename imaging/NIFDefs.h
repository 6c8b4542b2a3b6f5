// Export macro and result codes shared by every part of the image toolkit.
#pragma once

#include <cstdint>

// The library's exports are declared in pvacquire.def; users import them.
#ifdef NIF_BUILD
#define NIF_API
#else
#define NIF_API __declspec(dllimport)
#endif

// Result codes of the toolkit's flat calls and of its classes.
enum NIFResult : int {
    NIF_OK = 0,
    NIF_STORAGE_FAILED = 1,       // a structured-storage call failed
    NIF_BAD_FILE = 2,             // the file's content is malformed or not supported
    NIF_OUT_OF_MEMORY = 3,
    NIF_JPEG_FAILED = 4,          // a JPEG tile could not be decoded
    NIF_COLOR_MISMATCH = 5,       // the stored colour space cannot be converted to the requested one
    NIF_LEVEL_OUT_OF_RANGE = 10,
    NIF_BAD_SIGNATURE = 11,
    NIF_WRONG_STATE = 19,
    NIF_MISSING_ARGUMENT = 21,
    NIF_STOPPED = 33,
    NIF_NOT_STARTED = 55,
    NIF_NO_IMAGE = 66,
};

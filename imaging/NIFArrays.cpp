#include "NIFArrays.h"

void NIFRelease(uint8_t* array) { delete[] array; }
void NIFRelease(uint32_t* array) { delete[] array; }
void NIFRelease(float* array) { delete[] array; }
void NIFRelease(wchar_t* text) { delete[] text; }

void NIFRelease(NIFWideStringArray* array) {
    if (!array) return;
    for (uint32_t i = 0; i < array->count; ++i) delete[] array->strings[i];
    delete[] array->strings;
    delete array;
}

void NIFRelease(NIFExtensionList* list) {
    if (!list) return;
    for (uint32_t i = 0; i < list->count; ++i) delete[] list->extensions[i].name;
    delete[] list->extensions;
    delete list;
}

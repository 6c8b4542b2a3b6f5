// Thrown by the link library when a port mutex cannot be created or waited for.
#pragma once

#include "MounterException.h"
#include "TextBuffer.h"

#include <windows.h>

#include <cstdio>

class CCommPortException : public MounterException {
public:
    // The string of the link library that formats the two fields.
    static constexpr UINT kTextResource = 30;

    CCommPortException(DWORD location, DWORD reason) : location_(location), reason_(reason) {}

    DWORD Location() const { return location_; }
    DWORD Reason() const { return reason_; }

    void GetErrorText(char* buffer, unsigned size) const override {
        char format[128];
        HMODULE link = GetModuleHandleA("pvlink.dll");
        if (!link || !LoadStringA(link, kTextResource, format, sizeof format)) {
            pvtext::copyCut(buffer, size, "**********");
            return;
        }
        char text[256];
        std::snprintf(text, sizeof text, format, static_cast<unsigned>(location_),
                      static_cast<unsigned>(reason_));
        pvtext::copyCut(buffer, size, text);
    }

private:
    DWORD location_;
    DWORD reason_;
};

// Base of the exceptions that the camera libraries throw to the Mounter.
//
// The classes of this folder are defined entirely inline: each module that throws or catches one
// carries its own copy of the class's type information, and the GCC runtime matches catch clauses
// across modules by type name. That keeps the link library's exports to its plain functions.
#pragma once

#include <cstddef>

class MounterException {
public:
    MounterException() = default;
    MounterException(const MounterException&) = default;
    MounterException& operator=(const MounterException&) = default;
    virtual ~MounterException() = default;

    // Writes a description into buffer: at most size - 1 characters, always terminated.
    virtual void GetErrorText(char* buffer, unsigned size) const = 0;
};

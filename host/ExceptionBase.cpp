// The exception base class as the library exports it: its copy constructor, default constructor
// and table of virtual operations. The class is defined inline for every module, so nothing of it
// is emitted unless used; the class below uses those members, and this file is compiled without
// inlining, so that they are emitted here where the export table finds them.
#include "MounterException.h"

class ExportedExceptionBase : public MounterException {
public:
    __attribute__((used)) ExportedExceptionBase() : MounterException() {}
    __attribute__((used)) ExportedExceptionBase(const ExportedExceptionBase& other) : MounterException(other) {}
    void GetErrorText(char*, unsigned) const override {}
};

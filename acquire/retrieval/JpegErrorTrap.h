// libjpeg reports errors by leaving the decode with a long jump (the compiler's own setjmp, which
// needs no unwinding support). The frame the jump returns to must hold only plain data, so that
// leaving libjpeg's frames skips no destructor.
#pragma once

#include <cstdio>
#include <jpeglib.h>

namespace acquire {

struct JpegErrorTrap {
    jpeg_error_mgr base;
    void* jump[5];
};

namespace jpegtrap {

[[noreturn]] inline void OnError(j_common_ptr cinfo) {
    __builtin_longjmp(reinterpret_cast<JpegErrorTrap*>(cinfo->err)->jump, 1);
}
// Warnings (data that ends early, corrupt entropy data) taken as damage.
inline void OnWarningFails(j_common_ptr cinfo, int level) {
    if (level < 0) OnError(cinfo);
}
inline void OnMessageIgnored(j_common_ptr, int) {}

}  // namespace jpegtrap

// Makes the trap the decompression's error manager; warningsFail chooses whether libjpeg's
// warnings end the decode as errors do.
inline void InstallJpegErrorTrap(jpeg_decompress_struct& cinfo, JpegErrorTrap& trap, bool warningsFail) {
    cinfo.err = jpeg_std_error(&trap.base);
    trap.base.error_exit = jpegtrap::OnError;
    trap.base.emit_message = warningsFail ? jpegtrap::OnWarningFails : jpegtrap::OnMessageIgnored;
}

}  // namespace acquire

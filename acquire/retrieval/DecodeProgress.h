// What a decoder reports while it works: done out of total units (lines, tiles). The answer false
// asks it to stop; the decoder then returns kErrCancelled. Implementations do not throw.
#pragma once

namespace acquire {

class DecodeProgress {
public:
    virtual bool Continue(long total, long done) noexcept = 0;

protected:
    ~DecodeProgress() = default;
};

}  // namespace acquire

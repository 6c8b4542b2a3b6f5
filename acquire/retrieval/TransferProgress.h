// Where a hand-over shows how far it has come: the download takes the first half of the
// percentage, the decoding the second. The answer false means the user cancelled.
#pragma once

namespace acquire {

class TransferProgress {
public:
    virtual bool Show(int percent) noexcept = 0;

protected:
    ~TransferProgress() = default;
};

}  // namespace acquire

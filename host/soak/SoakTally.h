// The soak's counts: every copy by its fault kind and its outcome, the longest copy, and the
// copies that broke a rule (a wrong result, corrupted bytes, a clean copy that failed).
#pragma once

#include "FaultMenu.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace soak {

constexpr DWORD kLastResult = 20;   // CameraResult runs from 0 to 20

class SoakTally {
public:
    void Count(FaultKind kind, DWORD result, DWORD milliseconds, unsigned copy);
    void Violation(const std::string& what);
    // What the camera saw the host do wrong during a copy with this kind of fault.
    void LineViolations(FaultKind kind, const std::vector<std::string>& texts);

    unsigned copies() const { return copies_; }
    unsigned succeeded() const;
    DWORD longest() const { return longestMs_; }
    const std::vector<std::string>& violations() const { return violations_; }

    void PrintByKind() const;
    void PrintByResult() const;
    void PrintLineViolations() const;

private:
    static constexpr size_t kKinds = static_cast<size_t>(FaultKind::Count);
    std::array<std::array<unsigned, kLastResult + 1>, kKinds> counts_{};
    unsigned copies_ = 0;
    DWORD longestMs_ = 0;
    unsigned longestCopy_ = 0;
    FaultKind longestKind_ = FaultKind::None;
    std::vector<std::string> violations_;
    std::array<unsigned, kKinds> lineViolations_{};
    std::array<std::vector<std::string>, kKinds> lineExamples_;
};

}  // namespace soak

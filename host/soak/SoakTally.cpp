#include "SoakTally.h"

#include <cstdio>

namespace soak {

void SoakTally::Count(FaultKind kind, DWORD result, DWORD milliseconds, unsigned copy) {
    ++copies_;
    if (result <= kLastResult) ++counts_[static_cast<size_t>(kind)][result];
    if (milliseconds >= longestMs_) {
        longestMs_ = milliseconds;
        longestCopy_ = copy;
        longestKind_ = kind;
    }
}

void SoakTally::Violation(const std::string& what) {
    violations_.push_back(what);
    std::printf("soak: VIOLATION %s\n", what.c_str());
    std::fflush(stdout);
}

void SoakTally::LineViolations(FaultKind kind, const std::vector<std::string>& texts) {
    constexpr size_t kExamplesKept = 3;
    const size_t k = static_cast<size_t>(kind);
    lineViolations_[k] += static_cast<unsigned>(texts.size());
    for (const std::string& text : texts)
        if (lineExamples_[k].size() < kExamplesKept) lineExamples_[k].push_back(text);
}

unsigned SoakTally::succeeded() const {
    unsigned ok = 0;
    for (const auto& byResult : counts_) ok += byResult[0];
    return ok;
}

void SoakTally::PrintByKind() const {
    std::printf("%-22s %6s %6s  failures by CameraResult\n", "fault", "copies", "equal");
    for (size_t kind = 0; kind < kKinds; ++kind) {
        unsigned all = 0;
        std::string failures;
        for (DWORD r = 0; r <= kLastResult; ++r) {
            all += counts_[kind][r];
            if (r && counts_[kind][r]) failures += " " + std::to_string(r) + ":" + std::to_string(counts_[kind][r]);
        }
        std::printf("%-22s %6u %6u %s\n", KindName(static_cast<FaultKind>(kind)), all, counts_[kind][0],
                    failures.empty() ? " -" : failures.c_str());
    }
}

void SoakTally::PrintByResult() const {
    std::printf("outcomes:");
    for (DWORD r = 0; r <= kLastResult; ++r) {
        unsigned n = 0;
        for (const auto& byResult : counts_) n += byResult[r];
        if (n && r) std::printf(" result %lu: %u", static_cast<unsigned long>(r), n);
        if (n && !r) std::printf(" byte-identical: %u", n);
    }
    std::printf("\nlongest copy: %lu ms (copy %u, %s)\n", static_cast<unsigned long>(longestMs_), longestCopy_,
                KindName(longestKind_));
}

}  // namespace soak

namespace soak {

void SoakTally::PrintLineViolations() const {
    std::printf("protocol violations the camera saw, by the copy's fault:");
    unsigned all = 0;
    for (size_t kind = 0; kind < kKinds; ++kind) {
        all += lineViolations_[kind];
        if (lineViolations_[kind]) std::printf("\n  %s: %u", KindName(static_cast<FaultKind>(kind)), lineViolations_[kind]);
        for (const std::string& text : lineExamples_[kind]) std::printf("\n    | %s", text.c_str());
    }
    std::printf("%s\n", all ? "" : " none");
}

}  // namespace soak

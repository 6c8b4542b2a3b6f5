// Reads and writes the summary information property set through a NIFSummaryInformation record.
#pragma once

#include "NIFPropertySet.h"
#include "NIFSummaryInformation.h"

class NIF_API NIFSummaryInfoWrapper {
public:
    // The set stays the caller's; the wrapper works on it while it lives.
    explicit NIFSummaryInfoWrapper(NIFPropertySet& set) : set_(&set) {}
    NIFSummaryInfoWrapper(const NIFSummaryInfoWrapper&) = default;
    NIFSummaryInfoWrapper& operator=(const NIFSummaryInfoWrapper&) = default;
    void Release();

    // Fills the record; answers NIF_BAD_FILE when the set has no summary section.
    int getInfo(NIFSummaryInformation* out);
    // Stores the record's non-empty fields in the set (creating its summary section).
    int setInfo(const NIFSummaryInformation& in);
    int commit() { return set_->Commit(); }

private:
    NIFPropertySet* set_;
};

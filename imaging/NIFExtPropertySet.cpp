#include "NIFExtPropertySet.h"

// Every section of the set is made by MakeSection (or copied by its own Clone), so each is one
// that keeps names.
NIFExtPropSection* NIFExtPropertySet::NewSection(const GUID& fmtid) {
    return static_cast<NIFExtPropSection*>(NIFPropertySet::NewSection(fmtid));
}

NIFExtPropSection* NIFExtPropertySet::GetSection(const GUID& fmtid) {
    return static_cast<NIFExtPropSection*>(NIFPropertySet::GetSection(fmtid));
}

std::unique_ptr<NIFPropSection> NIFExtPropertySet::MakeSection(const GUID& fmtid) const {
    return std::make_unique<NIFExtPropSection>(fmtid);
}

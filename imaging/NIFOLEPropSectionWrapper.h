// One section of a property set, reached through the set by its format identifier. The
// section is looked up on every call, so the wrapper stays valid while the set gains and loses
// sections; it is made when a first property is added. Commit writes the whole set.
#pragma once

#include "NIFPropertySet.h"

class NIF_API NIFOLEPropSectionWrapper {
public:
    // The set stays the caller's; the wrapper works on it while it lives.
    NIFOLEPropSectionWrapper(NIFPropertySet& set, const GUID& fmtid) : set_(&set), fmtid_(fmtid) {}
    NIFOLEPropSectionWrapper(const NIFOLEPropSectionWrapper&) = default;
    NIFOLEPropSectionWrapper& operator=(const NIFOLEPropSectionWrapper&) = default;
    void Release();   // deletes the object inside the library that made it

    const GUID& GetFormatId() const { return fmtid_; }
    bool Exists() const { return set_->GetSection(fmtid_) != nullptr; }
    // A new property of the given type, replacing any with the same identifier.
    NIFExtProperty* NewProperty(uint32_t id, uint32_t type);
    // nullptr when the set has no such section or the section no such property.
    NIFExtProperty* GetProperty(uint32_t id) const;
    size_t GetNumberOfProperties() const;
    // The identifiers in ascending order, in an array freed with NIFRelease.
    uint32_t* GetPropertyIDTable() const;
    bool DestroyProperty(uint32_t id);
    int Commit() { return set_->Commit(); }

private:
    NIFPropSection* section() const { return set_->GetSection(fmtid_); }

    NIFPropertySet* set_;
    GUID fmtid_;
};

// A property set whose sections keep the names of their properties (NIFExtPropSection).
#pragma once

#include "NIFExtPropSection.h"
#include "NIFPropertySet.h"

class NIF_API NIFExtPropertySet : public NIFPropertySet {
public:
    explicit NIFExtPropertySet(const NIFExtStream& stream) : NIFPropertySet(stream) {}

    NIFExtPropSection* NewSection(const GUID& fmtid);
    NIFExtPropSection* GetSection(const GUID& fmtid);

protected:
    std::unique_ptr<NIFPropSection> MakeSection(const GUID& fmtid) const override;
};

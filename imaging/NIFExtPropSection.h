// A section that also keeps the names of its properties, in its dictionary (property 0),
// as OLE property sets may: each name belongs to one property identifier, and names are
// unique without regard to case.
#pragma once

#include "NIFPropSection.h"

#include <string>

class NIF_API NIFExtPropSection : public NIFPropSection {
public:
    static constexpr size_t kMaxNameLength = 255;

    explicit NIFExtPropSection(const GUID& fmtid) : NIFPropSection(fmtid) {}
    std::unique_ptr<NIFPropSection> Clone() const override { return std::make_unique<NIFExtPropSection>(*this); }

    // False for the reserved identifiers 0 (the dictionary) and 1 (the code page), an empty
    // or over-long name, and a name that another property has.
    bool SetPropertyName(uint32_t id, const wchar_t* name);
    // nullptr when the property has no name.
    const wchar_t* GetPropertyName(uint32_t id) const;
    bool GetPropertyID(const wchar_t* name, uint32_t* id) const;
    size_t GetNumberOfNames() const { return names_.size(); }
    // Destroying a property also takes its name away.
    bool DestroyProperty(uint32_t id) override;

protected:
    std::vector<uint8_t> DictionaryValue() const override;
    bool ParseDictionary(const uint8_t* section, uint32_t length, uint32_t offset, nif::ParseBudget& budget) override;

private:
    std::map<uint32_t, std::wstring> names_;
};

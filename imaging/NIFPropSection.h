// One section of a property set: its format identifier and its properties by identifier.
#pragma once

#include "NIFExtProperty.h"
#include "ParseBudget.h"

#include <map>
#include <memory>

class NIF_API NIFPropSection {
public:
    explicit NIFPropSection(const GUID& fmtid) : fmtid_(fmtid) {}
    NIFPropSection(const NIFPropSection&) = default;
    NIFPropSection& operator=(const NIFPropSection&) = default;
    virtual ~NIFPropSection() = default;
    // For a section the caller made with new; those of a property set go with their set.
    void Release();
    // A copy of the same class.
    virtual std::unique_ptr<NIFPropSection> Clone() const { return std::make_unique<NIFPropSection>(*this); }

    const GUID& GetFormatId() const { return fmtid_; }
    // A new property of the given type, replacing any with the same identifier.
    NIFExtProperty* NewProperty(uint32_t id, uint32_t type);
    NIFExtProperty* GetProperty(uint32_t id);
    const NIFExtProperty* GetProperty(uint32_t id) const;
    size_t GetNumberOfProperties() const { return properties_.size(); }
    // The identifiers in ascending order, in an array freed with NIFRelease.
    uint32_t* GetPropertyIDTable() const;
    virtual bool DestroyProperty(uint32_t id) { return properties_.erase(id) != 0; }
    // The code page (property 1) says whether narrow strings are stored as UTF-16.
    bool IsUnicode() const;

    // The section's serialised form, from its first byte (size) on, and back. Reading charges what
    // it makes to the budget of the set; a section whose properties share a value is refused.
    std::vector<uint8_t> Serialize() const;
    bool Parse(const uint8_t* data, uint32_t size, nif::ParseBudget& budget);

protected:
    // The dictionary (property names, identifier 0), which this class neither keeps nor writes:
    // it skips one it reads. section: the section's length bytes; offset: the dictionary's.
    virtual std::vector<uint8_t> DictionaryValue() const { return {}; }
    virtual bool ParseDictionary(const uint8_t* section, uint32_t length, uint32_t offset, nif::ParseBudget& budget);

private:
    GUID fmtid_;
    std::map<uint32_t, NIFExtProperty> properties_;
};

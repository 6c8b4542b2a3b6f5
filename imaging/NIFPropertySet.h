// A property set stored in a stream of a structured storage: its sections, read when it is
// opened and written back by Commit.
#pragma once

#include "NIFExtStream.h"
#include "NIFPropSection.h"

#include <memory>
#include <vector>

class NIF_API NIFPropertySet {
public:
    // Largest property-set stream that is read; larger ones are refused as malformed.
    static constexpr uint64_t kMaxStreamSize = 1u << 20;

    explicit NIFPropertySet(const NIFExtStream& stream) : stream_(stream) {}
    NIFPropertySet(const NIFPropertySet& other);
    NIFPropertySet& operator=(const NIFPropertySet& other);
    virtual ~NIFPropertySet() = default;
    void Release();   // deletes the object inside the library that made it

    // Reads the sections from the stream.
    int Load();
    NIFPropSection* NewSection(const GUID& fmtid);
    NIFPropSection* GetSection(const GUID& fmtid);
    bool DestroySection(const GUID& fmtid);
    size_t GetNumberOfSections() const { return sections_.size(); }
    const GUID& GetSectionFormatId(size_t index) const { return sections_[index]->GetFormatId(); }
    const CLSID& GetClassId() const { return clsid_; }
    void SetClassId(const CLSID& clsid) { clsid_ = clsid; }
    int Commit();

protected:
    // A new, empty section of the class this set keeps.
    virtual std::unique_ptr<NIFPropSection> MakeSection(const GUID& fmtid) const {
        return std::make_unique<NIFPropSection>(fmtid);
    }

private:
    int Parse(const std::vector<uint8_t>& bytes);

    NIFExtStream stream_;
    CLSID clsid_{};
    uint32_t osVersion_ = 0x00020005;   // Windows, version 5.2
    std::vector<std::unique_ptr<NIFPropSection>> sections_;
};

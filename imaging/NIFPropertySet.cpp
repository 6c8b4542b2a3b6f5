#include "NIFPropertySet.h"

#include "ByteReader.h"
#include "NIFError.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

constexpr uint16_t kByteOrder = 0xFFFE;
constexpr uint32_t kMaxSections = 16;
constexpr size_t kHeaderSize = 28;

int Malformed() { return nif::Fail(NIF_BAD_FILE, "Malformed property set in NIFPropertySet::Load."); }

}  // namespace

NIFPropertySet::NIFPropertySet(const NIFPropertySet& other) : stream_(other.stream_) { *this = other; }

NIFPropertySet& NIFPropertySet::operator=(const NIFPropertySet& other) {
    if (this == &other) return *this;
    stream_ = other.stream_;
    clsid_ = other.clsid_;
    osVersion_ = other.osVersion_;
    sections_.clear();
    for (const auto& s : other.sections_) sections_.push_back(s->Clone());
    return *this;
}

int NIFPropertySet::Load() {
    std::vector<uint8_t> bytes;
    if (int rc = stream_.ReadAll(bytes, kMaxStreamSize)) return rc;
    return Parse(bytes);
}

int NIFPropertySet::Parse(const std::vector<uint8_t>& bytes) {
    nif::ByteReader in(bytes.data(), bytes.size());
    uint16_t order, format;
    uint32_t count;
    if (!in.u16(&order) || !in.u16(&format) || !in.u32(&osVersion_) || order != kByteOrder) return Malformed();
    if (in.remaining() < 20) return Malformed();
    std::memcpy(&clsid_, in.here(), sizeof clsid_);
    in.skip(16);
    if (!in.u32(&count) || count > kMaxSections || in.remaining() < size_t(count) * 20) return Malformed();
    sections_.clear();
    nif::ParseBudget budget;
    std::set<uint32_t> offsets;
    for (uint32_t i = 0; i < count; ++i) {
        GUID fmtid;
        uint32_t offset = 0;
        std::memcpy(&fmtid, in.here(), sizeof fmtid);
        in.skip(16);
        in.u32(&offset);
        if (offset < kHeaderSize || offset >= bytes.size() || !offsets.insert(offset).second) return Malformed();
        std::unique_ptr<NIFPropSection> section = MakeSection(fmtid);
        if (!section->Parse(bytes.data() + offset, bytes.size() - offset, budget)) return Malformed();
        sections_.push_back(std::move(section));
    }
    return NIF_OK;
}

NIFPropSection* NIFPropertySet::NewSection(const GUID& fmtid) {
    DestroySection(fmtid);
    sections_.push_back(MakeSection(fmtid));
    return sections_.back().get();
}

NIFPropSection* NIFPropertySet::GetSection(const GUID& fmtid) {
    for (const auto& s : sections_)
        if (IsEqualGUID(s->GetFormatId(), fmtid)) return s.get();
    return nullptr;
}

bool NIFPropertySet::DestroySection(const GUID& fmtid) {
    auto it = std::find_if(sections_.begin(), sections_.end(),
                           [&](const auto& s) { return IsEqualGUID(s->GetFormatId(), fmtid); });
    if (it == sections_.end()) return false;
    sections_.erase(it);
    return true;
}

int NIFPropertySet::Commit() {
    std::vector<uint8_t> out(kHeaderSize + 20 * sections_.size());
    nif::StoreU16(out.data(), kByteOrder);
    nif::StoreU32(out.data() + 4, osVersion_);
    std::memcpy(out.data() + 8, &clsid_, sizeof clsid_);
    nif::StoreU32(out.data() + 24, static_cast<uint32_t>(sections_.size()));
    for (size_t i = 0; i < sections_.size(); ++i) {
        std::memcpy(out.data() + kHeaderSize + 20 * i, &sections_[i]->GetFormatId(), 16);
        nif::StoreU32(out.data() + kHeaderSize + 20 * i + 16, static_cast<uint32_t>(out.size()));
        std::vector<uint8_t> body = sections_[i]->Serialize();
        out.insert(out.end(), body.begin(), body.end());
    }
    if (int rc = stream_.SetEndOfFile(0)) return rc;
    if (int rc = stream_.Seek(0)) return rc;
    if (int rc = stream_.WriteInFile(out.data(), static_cast<uint32_t>(out.size()))) return rc;
    return stream_.Commit();
}

void NIFPropertySet::Release() { delete this; }

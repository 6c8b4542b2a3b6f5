#include "NIFExtPropSection.h"

#include "PropertyDictionary.h"

#include <cwchar>

namespace {

constexpr uint32_t kFirstNamedId = 2;

bool SameName(const std::wstring& a, const wchar_t* b) { return _wcsicmp(a.c_str(), b) == 0; }

}  // namespace

bool NIFExtPropSection::SetPropertyName(uint32_t id, const wchar_t* name) {
    if (id < kFirstNamedId || !name || !*name || std::wcslen(name) > kMaxNameLength) return false;
    for (const auto& [other, existing] : names_)
        if (other != id && SameName(existing, name)) return false;
    names_[id] = name;
    return true;
}

const wchar_t* NIFExtPropSection::GetPropertyName(uint32_t id) const {
    auto it = names_.find(id);
    return it == names_.end() ? nullptr : it->second.c_str();
}

bool NIFExtPropSection::GetPropertyID(const wchar_t* name, uint32_t* id) const {
    if (!name || !id) return false;
    for (const auto& [which, existing] : names_)
        if (SameName(existing, name)) return (*id = which), true;
    return false;
}

bool NIFExtPropSection::DestroyProperty(uint32_t id) {
    names_.erase(id);
    return NIFPropSection::DestroyProperty(id);
}

std::vector<uint8_t> NIFExtPropSection::DictionaryValue() const {
    return names_.empty() ? std::vector<uint8_t>() : nif::WriteDictionary(names_, IsUnicode());
}

bool NIFExtPropSection::ParseDictionary(const uint8_t* section, uint32_t length, uint32_t offset,
                                        nif::ParseBudget& budget) {
    if (offset < 8 || offset >= length) return false;
    return nif::ReadDictionary(section + offset, length - offset, IsUnicode(), &names_, budget);
}

// The dictionary of a property-set section (property identifier 0): the names of properties.
// Count, then per entry the identifier, the name's length in characters with its terminating
// null, and the name: UTF-16 and padded to four bytes in a section whose code page is UTF-16,
// else one byte a character; the whole padded to four bytes.
#pragma once

#include "ParseBudget.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace nif {

using PropertyNames = std::map<uint32_t, std::wstring>;

std::vector<uint8_t> WriteDictionary(const PropertyNames& names, bool unicode);
// False when the entries run past size, a name lacks its terminating null, or the names pass the
// budget.
bool ReadDictionary(const uint8_t* data, size_t size, bool unicode, PropertyNames* names, ParseBudget& budget);

}  // namespace nif

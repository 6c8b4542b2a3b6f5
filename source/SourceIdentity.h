// The identity the data source answers before it is opened: version, protocol, groups and the
// maker's names from its string table, with the language and country of the Windows installation
// (the version resource of the Windows directory's progman.exe; 1033 without one).
#pragma once

#include "TwainTypes.h"

namespace source {

struct LanguageCountry {
    TW_UINT16 language;
    TW_UINT16 country;
};

LanguageCountry LanguageFor(WORD languageId);
// The first language of the file's version resource, or 1033.
WORD InstalledLanguage();
TW_IDENTITY BuildIdentity(HINSTANCE module);

}  // namespace source

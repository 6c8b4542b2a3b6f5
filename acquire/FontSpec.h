// The thumbnail area's font as the string table describes it: a face name and a text such as
// "H=14, W=700, C=0" giving its height, weight and character set.
#pragma once

#include <windows.h>

#include <string>

namespace acquire {

struct FontSpec {
    int height = 8;
    int weight = 400;
    int charset = 0;
};

// For each equals sign the value runs to the next comma and the letter before the sign names it;
// values out of their range fall back to 8, 400 and 0.
FontSpec ParseFontSpec(const std::string& text);
HFONT CreateSpecFont(const std::string& face, const FontSpec& spec);

}  // namespace acquire

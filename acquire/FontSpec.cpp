#include "FontSpec.h"

#include <cstdlib>

namespace acquire {
namespace {

bool KnownCharset(int value) {
    for (int known : {0, 1, 2, 128, 129, 136, 255})
        if (value == known) return true;
    return false;
}

}  // namespace

FontSpec ParseFontSpec(const std::string& text) {
    FontSpec spec;
    for (size_t equals = text.find('='); equals != std::string::npos; equals = text.find('=', equals + 1)) {
        if (equals == 0) continue;
        size_t comma = text.find(',', equals);
        std::string valueText = text.substr(equals + 1, comma == std::string::npos ? std::string::npos : comma - equals - 1);
        int value = std::atoi(valueText.c_str());
        switch (text[equals - 1]) {
        case 'H': spec.height = value >= 0 && value <= 20 ? value : 8; break;
        case 'W': spec.weight = value >= 0 && value <= 900 && value % 100 == 0 ? value : 400; break;
        case 'C': spec.charset = KnownCharset(value) ? value : 0; break;
        }
    }
    return spec;
}

HFONT CreateSpecFont(const std::string& face, const FontSpec& spec) {
    return CreateFontA(spec.height, 0, 0, 0, spec.weight, 0, 0, 0, DWORD(spec.charset), 0, 0, 0, 49, face.c_str());
}

}  // namespace acquire

// Copying texts into caller buffers the way every error-text operation does.
#pragma once

#include <cstring>

namespace pvtext {

// Copies text into buffer, cut to size - 1 characters and always terminated; nothing for size 0.
inline void copyCut(char* buffer, unsigned size, const char* text) {
    if (!buffer || size == 0) return;
    std::size_t n = std::strlen(text);
    if (n > size - 1) n = size - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
}

}  // namespace pvtext

#include "CardManifest.h"

#include <fstream>
#include <sstream>

namespace pvsim {

bool CardManifest::load(const std::filesystem::path& root, std::string& error) {
    *this = CardManifest();
    std::ifstream in(root / kFileName);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string key, path;
        words >> key;
        if (key.empty() || key[0] == '#') continue;
        unsigned long long value = 0;
        bool ok = key == "attr" ? static_cast<bool>(words >> std::hex >> value >> path) : static_cast<bool>(words >> value);
        if (!ok || (key != "attr" && key != "capacity" && key != "formatted") || value > (1ull << 40)) {
            error = std::string(kFileName) + " line " + std::to_string(number) + ": " + line;
            return false;
        }
        if (key == "capacity") capacity = value;
        else if (key == "formatted") formatted = value != 0;
        else attributes[path] = static_cast<uint8_t>(value & 0x27);
    }
    return true;
}

bool CardManifest::save(const std::filesystem::path& root) const {
    std::ofstream out(root / kFileName, std::ios::trunc);
    out << "capacity " << capacity << "\nformatted " << (formatted ? 1 : 0) << "\n";
    for (const auto& [path, bits] : attributes)
        out << "attr " << std::hex << unsigned(bits) << std::dec << " " << path << "\n";
    return static_cast<bool>(out);
}

}  // namespace pvsim

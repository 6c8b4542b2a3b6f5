// pvcardgen --seed S --out DIR [--sources DIR]: writes a card image folder for pvsim, deterministic
// for a seed, and optionally the pictures' source pixels.
#include "CardGenerator.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string out, sources;
    unsigned long long seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 0);
        else if (!std::strcmp(argv[i], "--out")) out = argv[i + 1];
        else if (!std::strcmp(argv[i], "--sources")) sources = argv[i + 1];
    }
    if (out.empty() || argc % 2 == 0) {
        std::fprintf(stderr, "usage: pvcardgen --seed S --out DIR [--sources DIR]\n");
        return 2;
    }
    std::string error = pvsim::generateCard(out, seed, sources);
    if (!error.empty()) std::fprintf(stderr, "pvcardgen: %s\n", error.c_str());
    return error.empty() ? 0 : 1;
}

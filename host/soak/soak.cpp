// soak: a thousand picture copies from the simulated camera under random line faults (bad
// checksums, "not ready", busy bytes, silence, short packets, refused packets and commands,
// camera errors, cable pulls). Every copy is byte-identical to the card's file or a clean failure
// with its CameraResult, none runs past its bound, and the process holds as many handles and as
// much memory at the end as after the first fifty copies. Exits 0 when every bound held.
//   testing/wine/run.sh build/i686 build/i686/bin/soak.exe [--copies N] [--seed S] [--speed BAUD] [--real-reset]
#include "RegistryFixture.h"
#include "SoakRun.h"
#include "pvhost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace {

// The link's time-out for each read; a silent camera costs three of them per read.
constexpr DWORD kTimeoutMs = 200;

bool ParseOptions(int argc, char** argv, soak::SoakOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--copies") == 0 && hasValue) options.copies = std::strtoul(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) options.seed = std::strtoul(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--speed") == 0 && hasValue) options.speed = std::strtoul(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--real-reset") == 0) options.realResetPause = true;
        else return false;
    }
    return options.copies > 0;
}

int Soak(const soak::SoakOptions& options) {
    // The user's own link settings are back when the soak ends.
    pvtest::ScopedMachineDword delay(pvtest::kLinkKey, "LockDelay", 0);
    pvtest::ScopedMachineDword timeout(pvtest::kLinkKey, "Timeout", kTimeoutMs);
    if (!options.realResetPause) _putenv("PVHOST_RESET_PAUSE_MS=300");
    pvtest::PeerClient peer;
    soak::SoakRun run(peer, options);
    return run.Run();
}

}  // namespace

int main(int argc, char** argv) {
    soak::SoakOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::printf("usage: soak.exe [--copies N] [--seed S] [--speed BAUD] [--real-reset]\n");
        return 2;
    }
    try {
        return Soak(options);
    } catch (const std::exception& e) {
        std::printf("soak: %s\n", e.what());
    } catch (const MounterException& e) {
        char text[256];
        e.GetErrorText(text, sizeof text);
        std::printf("soak: %s\n", text);
    }
    return 1;
}

// pvsim: the ORVIK PV350 / PV360 Zoom camera on a pseudo-terminal.
//
//   pvsim --card DIR [--wineprefix DIR --com N] [--port-file FILE] [--throttle|--no-throttle]
//         [--model PV350|PV360]
//
// Without --wineprefix the terminal's path is printed on standard output for native clients.
// The control protocol is described in README.md; SIGTERM, SIGINT or "quit" end the simulator.
#include "ControlServer.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

std::atomic<bool> stopping{false};

void onSignal(int) { stopping = true; }

int usage() {
    std::fprintf(stderr, "usage: pvsim --card DIR [--wineprefix DIR --com N] [--port-file FILE] "
                         "[--throttle|--no-throttle] [--model PV350|PV360]\n");
    return 2;
}

bool parse(int argc, char** argv, pvsim::SimOptions& o, std::string& portFile) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--throttle") o.throttle = true;
        else if (a == "--no-throttle") o.throttle = false;
        else if (a == "--card" && hasValue) o.card = argv[++i];
        else if (a == "--wineprefix" && hasValue) o.winePrefix = argv[++i];
        else if (a == "--port-file" && hasValue) portFile = argv[++i];
        else if (a == "--com" && hasValue) o.com = std::atoi(argv[++i]);
        else if (a == "--model" && hasValue) {
            std::string m = argv[++i];
            if (m != "PV350" && m != "PV360") return false;
            o.model = m == "PV350" ? pvsim::Model::PV350 : pvsim::Model::PV360;
        } else return false;
    }
    return !o.card.empty() && o.com >= 1 && o.com <= 256;
}

}  // namespace

int main(int argc, char** argv) {
    pvsim::SimOptions options;
    std::string portFile;
    if (!parse(argc, argv, options, portFile)) return usage();
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    try {
        pvsim::Simulator sim(options);
        std::printf("%s\n", sim.slavePath().c_str());
        std::fflush(stdout);
        return pvsim::serveControl(sim, portFile, stopping);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pvsim: %s\n", e.what());
        return 1;
    }
}

// pvpeer: the Linux-side peer of the Windows tests. It links pseudo-terminals into a Wine prefix as
// COM ports and plays scripted bytes on them, driven by a line protocol on a loopback TCP port:
//
//   open N                  link a new terminal as COM<N>            -> OK /dev/pts/X
//   close N                 unlink and close it                      -> OK
//   send N HEX [DELAY_MS]   write the bytes after the delay          -> OK (at once)
//   recv N COUNT TIMEOUT_MS bytes the Windows side wrote, up to COUNT -> OK HEX
//   speed N                 the speed the Windows side set           -> OK BAUD
//   setspeed N BAUD         change the line speed from outside       -> OK
//   echo N                  from now on write back what arrives      -> OK
//   sim N SEED [ARGS]       a camera simulator on COM<N> with a fresh card image made from SEED,
//                           ARGS passed to pvsim                     -> OK CONTROL_PORT CARD_DIR
//   unsim N                 end that simulator                       -> OK
//   deadlink N              make COM<N> a name that cannot be opened -> OK
//   nullink N               make COM<N> a name that opens but is no serial port (/dev/null) -> OK
//
// Every wait is bounded; pvpeer ends when it is killed.
#include "PeerServer.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string prefix, portFile, workDir = "/tmp";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--wineprefix")) prefix = argv[i + 1];
        else if (!std::strcmp(argv[i], "--port-file")) portFile = argv[i + 1];
        else if (!std::strcmp(argv[i], "--work-dir")) workDir = argv[i + 1];
    }
    if (prefix.empty() || portFile.empty()) {
        std::fprintf(stderr, "usage: pvpeer --wineprefix DIR --port-file FILE [--work-dir DIR]\n");
        return 2;
    }
    std::string self = argv[0];
    std::string binDir = self.find('/') == std::string::npos ? "." : self.substr(0, self.rfind('/'));
    return pvpty::PeerServer(prefix, binDir, workDir).run(portFile);
}

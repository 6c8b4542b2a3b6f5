#include "ControlServer.h"

#include "ClientSession.h"

#include <arpa/inet.h>
#include <cstdio>
#include <list>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pvsim {
namespace {

int listenLoopback(unsigned& port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        if (fd >= 0) close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

bool writePortFile(const std::string& path, unsigned port) {
    if (path.empty()) return true;
    std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "%u\n", port);
    return std::fclose(f) == 0 && std::rename(tmp.c_str(), path.c_str()) == 0;
}

}  // namespace

int serveControl(Simulator& sim, const std::string& portFile, const std::atomic<bool>& stop) {
    unsigned port = 0;
    int listener = listenLoopback(port);
    if (listener < 0 || !writePortFile(portFile, port)) {
        std::perror("pvsim: control port");
        return 1;
    }
    std::fprintf(stderr, "pvsim: control on 127.0.0.1:%u\n", port);
    std::list<ClientSession> clients;
    while (!stop && !sim.quitRequested()) {
        clients.remove_if([](const ClientSession& c) { return c.ended(); });
        pollfd p{listener, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0 || !(p.revents & POLLIN)) continue;
        int c = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (c >= 0) clients.emplace_back(sim, c, stop);
    }
    clients.clear();
    close(listener);
    return 0;
}

}  // namespace pvsim

#include "ControlServer.h"

#include <arpa/inet.h>
#include <cstdio>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace pvsim {
namespace {

constexpr size_t kMaxLine = 4096;

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

void sendAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

// Runs every complete line in the client's buffer; false when the client is to be dropped.
bool serveLines(Simulator& sim, int fd, std::string& buffer) {
    char chunk[1024];
    ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    buffer.append(chunk, static_cast<size_t>(n));
    for (size_t eol; (eol = buffer.find('\n')) != std::string::npos;) {
        std::string line = buffer.substr(0, eol);
        buffer.erase(0, eol + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        sendAll(fd, sim.execute(line) + "\n");
    }
    return buffer.size() < kMaxLine;
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
    std::map<int, std::string> clients;
    while (!stop && !sim.quitRequested()) {
        std::vector<pollfd> fds{{listener, POLLIN, 0}};
        for (auto& [fd, buf] : clients) fds.push_back({fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), 100) <= 0) continue;
        if (fds[0].revents & POLLIN) {
            int c = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (c >= 0) clients[c] = "";
        }
        for (size_t i = 1; i < fds.size(); ++i)
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) && !serveLines(sim, fds[i].fd, clients[fds[i].fd])) {
                close(fds[i].fd);
                clients.erase(fds[i].fd);
            }
    }
    for (auto& [fd, buf] : clients) close(fd);
    close(listener);
    return 0;
}

}  // namespace pvsim

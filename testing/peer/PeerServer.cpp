#include "PeerServer.h"

#include "HexCodec.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace pvpty {
namespace {

bool readLine(int fd, std::string& line) {
    line.clear();
    char c;
    while (read(fd, &c, 1) == 1) {
        if (c == '\n') return true;
        if (c != '\r') line += c;
    }
    return false;
}

void writeAll(int fd, const void* data, size_t size) {
    auto p = static_cast<const unsigned char*>(data);
    // A reader that takes nothing for this long is gone or stuck: the rest is dropped.
    constexpr int kMaxFullWaits = 50;   // of 100 ms
    int fullWaits = 0;
    while (size > 0) {
        ssize_t n = write(fd, p, size);
        if (n < 0) {
            if (errno != EAGAIN || ++fullWaits > kMaxFullWaits) return;
            pollfd w{fd, POLLOUT, 0};
            poll(&w, 1, 100);
            continue;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
}

}  // namespace

PeerServer::~PeerServer() {
    for (auto& [com, port] : ports_) {
        { std::lock_guard g(port->lock); port->stop = true; }
        if (port->reader.joinable()) port->reader.join();
    }
}

int PeerServer::run(const std::string& portFile) {
    int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        listen(listener, 8) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        std::perror("pvpeer: listen");
        return 1;
    }
    FILE* f = std::fopen(portFile.c_str(), "w");
    if (!f) { std::perror("pvpeer: port file"); return 1; }
    std::fprintf(f, "%u\n", ntohs(addr.sin_port));
    std::fclose(f);
    for (;;) {
        int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        std::thread([this, client] { serveClient(client); close(client); }).detach();
    }
}

void PeerServer::serveClient(int fd) {
    std::string line;
    while (readLine(fd, line)) {
        std::string reply = execute(line) + "\n";
        writeAll(fd, reply.data(), reply.size());
    }
}

std::string PeerServer::execute(const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    int com = 0;
    in >> verb >> com;
    if (!in || com < 1 || com > 256) return "ERR bad command: " + line;
    if (verb == "open") return openPort(com);
    if (verb == "sim") {
        unsigned seed = 1;
        in >> seed;
        std::string extra;
        std::getline(in, extra);
        try {
            closePort(com);
            return "OK " + simulators_.start(com, seed, extra);
        } catch (const std::exception& e) {
            return std::string("ERR ") + e.what();
        }
    }
    if (verb == "deadlink") {
        // A COM name that cannot be opened (it leads to a directory), as with a taken port.
        // (Without a link, or with a dangling one, Wine falls back to the machine's own device.)
        closePort(com);
        simulators_.stop(com);
        std::string link = prefix_ + "/dosdevices/com" + std::to_string(com);
        unlink(link.c_str());
        return symlink("/tmp", link.c_str()) == 0 ? "OK" : "ERR symlink";
    }
    if (verb == "nullink") {
        // A COM name that opens but is no serial port (it leads to /dev/null): the port's
        // set-up after CreateFile fails, as with a device that vanished under an open.
        closePort(com);
        simulators_.stop(com);
        std::string link = prefix_ + "/dosdevices/com" + std::to_string(com);
        unlink(link.c_str());
        return symlink("/dev/null", link.c_str()) == 0 ? "OK" : "ERR symlink";
    }
    if (verb == "unsim") {
        simulators_.stop(com);
        return "OK";
    }
    if (verb == "close") return closePort(com);
    if (verb == "send") {
        std::string hex;
        int delay = 0;
        in >> hex >> delay;
        return send(com, hex, delay);
    }
    if (verb == "recv") {
        size_t count = 0;
        int timeout = 0;
        in >> count >> timeout;
        return receive(com, count, timeout);
    }
    auto port = find(com);
    if (!port) return "ERR port not open";
    if (verb == "echo") {
        std::lock_guard g(port->lock);
        port->echo = true;
        return "OK";
    }
    if (verb == "speed") return "OK " + std::to_string(port->pty->speed());
    if (verb == "setspeed") {
        unsigned baud = 0;
        in >> baud;
        return port->pty->setSpeed(baud) ? "OK" : "ERR speed";
    }
    return "ERR unknown verb: " + verb;
}

std::shared_ptr<PeerServer::Port> PeerServer::find(int com) {
    std::lock_guard g(portsLock_);
    auto it = ports_.find(com);
    return it == ports_.end() ? nullptr : it->second;
}

std::string PeerServer::openPort(int com) {
    closePort(com);
    auto port = std::make_shared<Port>();
    try {
        port->pty = std::make_unique<PseudoTerminal>(prefix_, com);
    } catch (const std::exception& e) {
        return std::string("ERR ") + e.what();
    }
    port->reader = std::thread(pump, port);
    std::lock_guard g(portsLock_);
    ports_[com] = port;
    return "OK " + port->pty->slavePath();
}

std::string PeerServer::closePort(int com) {
    std::shared_ptr<Port> port;
    {
        std::lock_guard g(portsLock_);
        auto it = ports_.find(com);
        if (it == ports_.end()) return "OK";
        port = it->second;
        ports_.erase(it);
    }
    { std::lock_guard g(port->lock); port->stop = true; }
    port->reader.join();
    return "OK";
}

// Collects what the Windows side writes, so that recv can hand it out later.
void PeerServer::pump(const std::shared_ptr<Port>& port) {
    unsigned char buf[4096];
    for (;;) {
        {
            std::lock_guard g(port->lock);
            if (port->stop) return;
        }
        pollfd p{port->pty->masterFd(), POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        ssize_t n = read(port->pty->masterFd(), buf, sizeof buf);
        if (n <= 0) continue;   // EIO while no Windows program holds the port
        std::lock_guard g(port->lock);
        if (port->echo) {
            writeAll(port->pty->masterFd(), buf, static_cast<size_t>(n));
            continue;
        }
        port->received.insert(port->received.end(), buf, buf + n);
        port->arrived.notify_all();
    }
}

std::string PeerServer::send(int com, const std::string& hex, int delayMs) {
    auto port = find(com);
    if (!port) return "ERR port not open";
    std::vector<unsigned char> bytes;
    if (!decodeHex(hex, bytes)) return "ERR bad hex";
    std::thread([port, bytes = std::move(bytes), delayMs] {
        if (delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        writeAll(port->pty->masterFd(), bytes.data(), bytes.size());
    }).detach();
    return "OK";
}

std::string PeerServer::receive(int com, size_t count, int timeoutMs) {
    auto port = find(com);
    if (!port) return "ERR port not open";
    std::unique_lock g(port->lock);
    port->arrived.wait_for(g, std::chrono::milliseconds(timeoutMs),
                           [&] { return port->received.size() >= count; });
    size_t n = std::min(count, port->received.size());
    std::string hex = encodeHex(port->received.data(), n);
    port->received.erase(port->received.begin(), port->received.begin() + static_cast<long>(n));
    return "OK " + hex;
}

}  // namespace pvpty

#include "PeerClient.h"

#include "HexCodec.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>
#include <stdexcept>

namespace pvtest {

PeerClient::PeerClient() : socket_(INVALID_SOCKET) {
    const char* peer = std::getenv("PV_PEER");
    if (!peer) throw std::runtime_error("PV_PEER is not set: run the test through testing/wine/run.sh");
    connectTo(peer);
}

PeerClient::PeerClient(const std::string& address) : socket_(INVALID_SOCKET) { connectTo(address); }

void PeerClient::connectTo(const std::string& address) {
    auto colon = address.rfind(':');
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<u_short>(std::atoi(address.c_str() + colon + 1)));
    sa.sin_addr.s_addr = inet_addr(address.substr(0, colon).c_str());
    if (s == INVALID_SOCKET || connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0)
        throw std::runtime_error("cannot reach " + address);
    DWORD timeout = 60000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    socket_ = s;
}

PeerClient::~PeerClient() {
    closesocket(static_cast<SOCKET>(socket_));
    WSACleanup();
}

std::string PeerClient::command(const std::string& line) {
    SOCKET s = static_cast<SOCKET>(socket_);
    std::string out = line + "\n";
    if (::send(s, out.data(), static_cast<int>(out.size()), 0) != static_cast<int>(out.size()))
        throw std::runtime_error("peer: send failed");
    std::string reply;
    char c;
    while (recv(s, &c, 1, 0) == 1 && c != '\n') reply += c;
    if (reply.rfind("OK", 0) != 0) throw std::runtime_error("peer: '" + line + "' -> '" + reply + "'");
    return reply.size() > 3 ? reply.substr(3) : std::string();
}

void PeerClient::send(int com, const std::vector<unsigned char>& bytes, int delayMs) {
    command("send " + std::to_string(com) + " " + pvpty::encodeHex(bytes.data(), bytes.size()) + " " + std::to_string(delayMs));
}

std::vector<unsigned char> PeerClient::receive(int com, size_t count, int timeoutMs) {
    std::vector<unsigned char> bytes;
    pvpty::decodeHex(command("recv " + std::to_string(com) + " " + std::to_string(count) + " " +
                             std::to_string(timeoutMs)), bytes);
    return bytes;
}

unsigned PeerClient::speed(int com) {
    return static_cast<unsigned>(std::stoul(command("speed " + std::to_string(com))));
}

void PeerClient::setSpeed(int com, unsigned baud) {
    command("setspeed " + std::to_string(com) + " " + std::to_string(baud));
}

PeerClient::Simulator PeerClient::startSimulator(int com, unsigned seed, const std::string& simArgs) {
    std::string reply = command("sim " + std::to_string(com) + " " + std::to_string(seed) + " " + simArgs);
    auto space = reply.find(' ');
    std::string card = "Z:" + reply.substr(space + 1);
    for (char& c : card)
        if (c == '/') c = '\\';
    return {"127.0.0.1:" + reply.substr(0, space), card};
}

}  // namespace pvtest

#include "ClientSession.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pvsim {
namespace {

constexpr size_t kMaxLine = 4096;
constexpr int kPollMs = 100;

void sendAll(int fd, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

}  // namespace

ClientSession::ClientSession(Simulator& sim, int fd, const std::atomic<bool>& stop)
    : sim_(sim), fd_(fd), stop_(stop), thread_([this] { serve(); }) {}

ClientSession::~ClientSession() {
    if (thread_.joinable()) thread_.join();
    close(fd_);
}

void ClientSession::serve() {
    while (!stop_ && !sim_.quitRequested()) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0) continue;
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR)) || !serveLines()) break;
    }
    ended_ = true;
}

// Runs every complete line that has arrived; false when the client is to be dropped (it left, or
// sent a line longer than any command).
bool ClientSession::serveLines() {
    char chunk[1024];
    ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    buffer_.append(chunk, static_cast<size_t>(n));
    for (size_t eol; (eol = buffer_.find('\n')) != std::string::npos;) {
        std::string line = buffer_.substr(0, eol);
        buffer_.erase(0, eol + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        sendAll(fd_, sim_.execute(line) + "\n");
    }
    return buffer_.size() < kMaxLine;
}

}  // namespace pvsim

// The pvsim program as scripts use it: port file, control over TCP, COM link, clean end; and the
// line time of a throttled transfer.
#include "SimClient.h"

#include <arpa/inet.h>
#include <csignal>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pvsim::test {
namespace {

std::string readWhole(const fs::path& p) {
    std::ifstream in(p);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ask(int fd, const std::string& line) {
    std::string out = line + "\n";
    send(fd, out.data(), out.size(), 0);
    std::string reply;
    char c;
    while (recv(fd, &c, 1, 0) == 1 && c != '\n') reply += c;
    return reply;
}

int connectTo(unsigned port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

TEST(Program, ServesControlLinksTheComPortAndEndsOnQuit) {
    fs::path dir = fs::temp_directory_path() / ("pvsim-prog-" + std::to_string(getpid()));
    fs::create_directories(dir / "prefix");
    fs::create_directories(dir / "card");
    pid_t child = fork();
    if (child == 0) {
        execl(PVSIM_PATH, "pvsim", "--card", (dir / "card").c_str(), "--wineprefix", (dir / "prefix").c_str(),
              "--com", "3", "--port-file", (dir / "port").c_str(), "--no-throttle", nullptr);
        _exit(127);
    }
    for (int i = 0; i < 100 && readWhole(dir / "port").empty(); ++i) usleep(50000);
    unsigned port = static_cast<unsigned>(std::atoi(readWhole(dir / "port").c_str()));
    ASSERT_GT(port, 0u);
    EXPECT_TRUE(fs::is_symlink(dir / "prefix/dosdevices/com3"));
    int fd = connectTo(port);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ask(fd, "ping"), "OK pvsim");
    EXPECT_EQ(ask(fd, "fault frobnicate 1"), "ERR unknown fault: frobnicate 1");
    // Clients are served side by side: one that stays connected, even halfway through a line,
    // holds up neither the others nor the end.
    int idle = connectTo(port), other = connectTo(port);
    ASSERT_GE(idle, 0);
    ASSERT_GE(other, 0);
    send(idle, "car", 3, 0);
    EXPECT_EQ(ask(other, "card out"), "OK");
    EXPECT_EQ(ask(fd, "status").substr(0, 5), "OK 00");
    EXPECT_EQ(ask(other, "quit"), "OK");
    close(other);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::is_symlink(dir / "prefix/dosdevices/com3"));
    close(fd);
    close(idle);
    fs::remove_all(dir);
}

class Throttled : public SimTest {};

// 300 KB at 115200 baud: 600 packets of 514 bytes out and one verdict byte back each, 10 bits a byte.
TEST_F(Throttled, TransferTakesTheLineTime) {
    Bytes content(300 * 1024, 0x5A);
    std::ofstream(card_ / "PCCARD/DCIMAGES/BIG.BIN", std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()), static_cast<long>(content.size()));
    send(hex("410011520000001A"));
    ASSERT_EQ(receive(1), Bytes{0xD1});
    setHostSpeed(115200);
    control("throttle on");
    auto begin = std::chrono::steady_clock::now();
    start(block(0x9A), pathPacket("\\PCCARD\\DCIMAGES\\BIG.BIN", 0xFFFFFFFF, 0xFFFFFFFF));
    Bytes got = packets(512, 600);
    EXPECT_EQ(receive(1, 1000), Bytes{0x00});
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    double line = (8 + 1 + 60 + 1 + 600 * (514 + 1) + 1) * 10.0 / 115200;
    RecordProperty("seconds", std::to_string(seconds));
    std::printf("throttled transfer: %.2f s, line time %.2f s\n", seconds, line);
    EXPECT_EQ(got, content);
    EXPECT_NEAR(seconds, line, line * 0.03);
}

}  // namespace
}  // namespace pvsim::test

#include "SimClient.h"

#include "CardGenerator.h"
#include "HexCodec.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace pvsim::test {

Bytes hex(const std::string& text) {
    Bytes out;
    std::string compact;
    for (char c : text)
        if (c != ' ') compact += c;
    EXPECT_TRUE(pvpty::decodeHex(compact, out)) << text;
    return out;
}

void SimTest::SetUp() {
    card_ = fs::temp_directory_path() / ("pvsim-test-" + std::to_string(getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ASSERT_EQ(generateCard(card_, 7), "");
    SimOptions o;
    o.card = card_;
    o.throttle = false;
    sim_ = std::make_unique<Simulator>(o);
    fd_ = open(sim_->slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd_, 0);
    setHostSpeed(9600);
    control("timing resetquiet 600000");   // no reset is recognised unless a test asks for it
}

void SimTest::TearDown() {
    if (fd_ >= 0) close(fd_);
    sim_.reset();
    std::error_code ec;
    fs::remove_all(card_, ec);
}

void SimTest::setHostSpeed(unsigned baud) {
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, pvpty::speedFromBaud(baud));
    tcsetattr(fd_, TCSANOW, &t);
}

void SimTest::send(const Bytes& bytes) {
    ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

Bytes SimTest::receive(size_t count, int timeoutMs) {
    Bytes out;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (out.size() < count && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        uint8_t buf[4096];
        ssize_t n = read(fd_, buf, std::min(sizeof buf, count - out.size()));
        if (n > 0) out.insert(out.end(), buf, buf + n);
    }
    return out;
}

Bytes SimTest::drain(int quietMs) {
    Bytes out;
    for (;;) {
        Bytes more = receive(1 << 20, quietMs);
        if (more.empty()) return out;
        out.insert(out.end(), more.begin(), more.end());
    }
}

Bytes SimTest::block(uint8_t code, uint8_t a1, uint8_t a2, uint8_t a3, uint8_t a4) {
    return {code, 0, a1, a2, a3, a4, 0, 0x1A};
}

Bytes SimTest::pathPacket(const std::string& path, uint32_t f1, uint32_t f2) {
    Bytes p(60, 0);
    p[0] = 0x80;
    std::copy(path.begin(), path.end(), p.begin() + 1);
    putBe32(&p[49], f1);
    putBe32(&p[53], f2);
    p[59] = xorOf(&p[1], 58);
    return p;
}

void SimTest::start(const Bytes& b, const Bytes& packet) {
    send(b);
    ASSERT_EQ(receive(1), Bytes{0xD1});
    if (packet.empty()) return;
    send(packet);
    ASSERT_EQ(receive(1), Bytes{0xD2});
}

Bytes SimTest::packet(size_t size) {
    Bytes p = receive(size + 2);
    EXPECT_EQ(p.size(), size + 2);
    if (p.size() != size + 2) return {};
    EXPECT_EQ(p[0], 0x01);
    EXPECT_EQ(xorOf(&p[1], size), p[size + 1]);
    send({0xD2});
    return Bytes(p.begin() + 1, p.end() - 1);
}

Bytes SimTest::packets(size_t size, size_t count) {
    Bytes all;
    for (size_t i = 0; i < count; ++i) {
        Bytes p = packet(size);
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

}  // namespace pvsim::test

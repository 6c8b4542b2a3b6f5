// A test fixture: a simulator in this process on a fresh generated card, and a client on the host
// side of its terminal that speaks raw bytes.
#pragma once

#include "Simulator.h"

#include <gtest/gtest.h>

namespace pvsim::test {

class SimTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void setHostSpeed(unsigned baud);
    void send(const Bytes& bytes);
    Bytes receive(size_t count, int timeoutMs = 3000);
    Bytes drain(int quietMs = 150);   // whatever arrives until the line is quiet
    std::string control(const std::string& line) { return sim_->execute(line); }

    // Command block with argument bytes; the path packet of the commands that name a file.
    static Bytes block(uint8_t code, uint8_t a1 = 0, uint8_t a2 = 0, uint8_t a3 = 0, uint8_t a4 = 0);
    static Bytes pathPacket(const std::string& path, uint32_t f1, uint32_t f2);
    // Sends a block, expects 0xD1, then (when given) the path packet and 0xD2.
    void start(const Bytes& block, const Bytes& packet = {});
    // Reads one camera packet of `size` data bytes, checks control byte and checksum, answers 0xD2.
    Bytes packet(size_t size);
    Bytes packets(size_t size, size_t count);

    fs::path card_;
    std::unique_ptr<Simulator> sim_;
    int fd_ = -1;
};

Bytes hex(const std::string& text);

}  // namespace pvsim::test

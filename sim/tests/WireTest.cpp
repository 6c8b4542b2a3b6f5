// The framing as the host sees it on the terminal: answers, packets, verdicts, faults and evidence.
#include "SimClient.h"

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

namespace pvsim::test {
namespace {

const Bytes kStatus = {0x7F, 0, 0, 0, 0, 0, 0, 0x1A};

class Wire : public SimTest {};

TEST_F(Wire, StatusExchangeIsAcceptPacketAndCompletion) {
    start(kStatus);
    Bytes status = packet(256);
    ASSERT_EQ(status.size(), 256u);
    EXPECT_EQ(status[1], 2);      // PV360
    EXPECT_EQ(status[30], 0x80);  // card inserted
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(control("violations"), "OK 0");
    std::string t = control("transcript");
    EXPECT_EQ(t.substr(0, 26), "OK H:7F0000000000001A C:D1");
    EXPECT_NE(t.find(" H:D2 C:00"), std::string::npos) << t;
}

TEST_F(Wire, UnknownCommandIsRejectedAndReported) {
    send(block(0x42));
    EXPECT_EQ(receive(1), Bytes{0xE1});
    EXPECT_EQ(control("violations"), "OK 1 | unknown command 42");
}

TEST_F(Wire, StrayByteIsSkippedAndTheNextBlockServed) {
    send({0xE4});
    send(kStatus);
    EXPECT_EQ(receive(1), Bytes{0xD1});
    packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(control("violations"), "OK 1 | stray byte E4 outside a command");
}

// Bytes the host has written are in the transcript when a test asks for it, even while the
// camera is still taking them in at the line speed.
TEST_F(Wire, TranscriptWaitsForBytesOnTheirWayIn) {
    ASSERT_EQ(control("throttle on"), "OK");
    send(Bytes(40, 0xE4));
    std::string expected = "OK H:";
    for (int i = 0; i < 40; ++i) expected += "E4";
    EXPECT_EQ(control("transcript"), expected);
}

// Every segment carries the monotonic times of its first and last byte: a pause the host made
// between two commands can be read from the evidence.
TEST_F(Wire, TranscriptTimesShowThePausesOnTheLine) {
    send(block(0x42));
    receive(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    send(block(0x42));
    receive(1);
    std::istringstream in(control("transcript times").substr(3));
    std::vector<double> starts, ends;
    for (std::string token; in >> token;) {
        if (token[0] != '@') continue;
        size_t dash = token.find('-');
        starts.push_back(std::stod(token.substr(1, dash - 1)));
        ends.push_back(std::stod(token.substr(dash + 1)));
    }
    ASSERT_EQ(4u, starts.size());   // host block, answer, host block, answer
    for (size_t i = 0; i < 4; ++i) EXPECT_LE(starts[i], ends[i]);
    for (size_t i = 1; i < 4; ++i) EXPECT_LE(ends[i - 1], starts[i]);
    EXPECT_GE(starts[2] - ends[1], 290.0);
    EXPECT_LT(starts[1] - ends[0], 250.0);
}

TEST_F(Wire, BlockAnswerFaults) {
    ASSERT_EQ(control("fault notready 2"), "OK");
    send(kStatus);
    EXPECT_EQ(receive(1), Bytes{0x10});
    send(kStatus);
    EXPECT_EQ(receive(1), Bytes{0x10});
    ASSERT_EQ(control("fault reject 96"), "OK");
    send(block(0x97));
    EXPECT_EQ(receive(1), Bytes{0xD1});   // the fault is for 0x96 only
    EXPECT_EQ(receive(1), Bytes{0x00});
    send(block(0x96));
    EXPECT_EQ(receive(1), Bytes{0xE1});
    ASSERT_EQ(control("fault error any 1"), "OK");
    send(block(0x97));
    EXPECT_EQ(receive(1), Bytes{0xE2});
    EXPECT_EQ(control("fault reject zz"), "ERR bad command code: zz");
}

TEST_F(Wire, BusyBytesComeBeforeCompletionAndControlByte) {
    control("fault busy 2");
    start(block(0x96));
    EXPECT_EQ(receive(3), hex("F0F000"));
    control("fault busy 3 control");
    start(kStatus);
    EXPECT_EQ(receive(3), hex("F0F0F0"));
    packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
}

TEST_F(Wire, BusyBytesCanWaitForALaterPacket) {
    control("fault busy 2 control 2");
    start(kStatus);
    packet(256);   // the status is one packet: the fault waits for a packet 2
    EXPECT_EQ(receive(1), Bytes{0x00});
    start(block(0x99), pathPacket("\\PCCARD\\DCIMAGES", 0, 0));
    packet(256);
    EXPECT_EQ(receive(2), hex("F0F0"));
}

TEST_F(Wire, BadChecksumOnceIsResentGood) {
    control("fault badsum 1 1");
    start(kStatus);
    Bytes bad = receive(258);
    ASSERT_EQ(bad.size(), 258u);
    EXPECT_EQ(bad[257], xorOf(&bad[1], 256) ^ 0x01);
    send({0xE3});
    Bytes again = packet(256);
    EXPECT_EQ(again, Bytes(bad.begin() + 1, bad.end() - 1));
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_NE(control("counters").find("packets_sent=2 resends=1"), std::string::npos);
}

TEST_F(Wire, BadChecksumTwiceEndsWithTheHostsCancel) {
    control("fault badsum 1 2");
    start(kStatus);
    receive(258);
    send({0xE3});
    Bytes second = receive(258);
    EXPECT_NE(second[257], xorOf(&second[1], 256));
    send({0xE4});
    EXPECT_EQ(drain(), Bytes{});   // no completion byte after a cancel
    EXPECT_NE(control("counters").find("cancels=1"), std::string::npos);
    EXPECT_EQ(control("violations"), "OK 0");
}

TEST_F(Wire, ShortPacketThenFullResend) {
    control("fault short 100");
    start(kStatus);
    EXPECT_EQ(receive(300, 500).size(), 158u);
    send({0xE3});
    packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
}

TEST_F(Wire, ErrorInPlaceOfAPacket) {
    control("fault packet-error 2");
    start(block(0x9A), pathPacket("\\PCCARD\\DCIMAGES\\PV000008.JPG", 0xFFFFFFFF, 0xFFFFFFFF));
    packet(512);
    EXPECT_EQ(receive(1), Bytes{0xE2});
    EXPECT_EQ(drain(), Bytes{});
}

TEST_F(Wire, HostPacketRefusedThenAccepted) {
    control("fault nak 1");
    start(block(0x99));
    Bytes p = pathPacket("\\PCCARD\\DCIMAGES\\ALBUM001", 0, 0);
    send(p);
    EXPECT_EQ(receive(1), Bytes{0xE3});
    send(p);
    EXPECT_EQ(receive(1), Bytes{0xD2});
    Bytes list = packet(256);
    auto files = std::distance(fs::directory_iterator(card_ / "PCCARD/DCIMAGES/ALBUM001"), fs::directory_iterator());
    EXPECT_EQ(getBe16(list.data()), 2u + files);   // ".", ".." and the album's files
}

TEST_F(Wire, BadHostChecksumIsAnsweredSendAgain) {
    start(block(0x99));
    Bytes p = pathPacket("\\PCCARD", 0, 0);
    p[59] ^= 0x40;
    send(p);
    EXPECT_EQ(receive(1), Bytes{0xE3});
}

TEST_F(Wire, WithdrawnPacketPairGetsOneAnswerAndEndsTheCommand) {
    control("fault nak 2");
    start(block(0x99));
    Bytes p = pathPacket("\\PCCARD\\DCIMAGES", 0, 0);
    send(p);
    EXPECT_EQ(receive(1), Bytes{0xE3});
    send(p);
    EXPECT_EQ(receive(1), Bytes{0xE3});
    p[0] = 0xFF;
    send(p);
    send(p);
    EXPECT_EQ(drain(), Bytes{0xD2});
    EXPECT_NE(control("counters").find("withdrawn=1"), std::string::npos);
    EXPECT_EQ(control("violations"), "OK 0");
}

// A host withdraws a packet only after the camera refused it, and always sends the withdrawn
// packet twice.
TEST_F(Wire, WithdrawnPacketOnTheFirstAttemptIsAViolation) {
    start(block(0x99));
    Bytes p = pathPacket("\\PCCARD\\DCIMAGES", 0, 0);
    p[0] = 0xFF;
    send(p);
    send(p);
    EXPECT_EQ(drain(), Bytes{0xD2});
    EXPECT_EQ(control("violations"), "OK 1 | host withdrew its data packet before the camera refused it");
}

TEST_F(Wire, WithdrawnPacketSentOnceIsAViolation) {
    control("fault nak 1");
    start(block(0x99));
    Bytes p = pathPacket("\\PCCARD\\DCIMAGES", 0, 0);
    send(p);
    EXPECT_EQ(receive(1), Bytes{0xE3});
    p[0] = 0xFF;
    send(p);
    EXPECT_EQ(receive(1, 5000), Bytes{0xD2});   // after the camera gave up waiting for the copy
    EXPECT_EQ(control("violations"), "OK 1 | host withdrew its data packet without sending it a second time");
}

TEST_F(Wire, SilenceAfterKBytes) {
    control("fault silence 5");
    send(kStatus);
    EXPECT_EQ(drain(), hex("D101000200"));   // D1, control byte, status bytes 0 to 2
}

// Aimed at one command, the silence lets the others pass whole and waits for it.
TEST_F(Wire, SilenceAimedAtACommandWaitsForIt) {
    control("fault silence 5 7f");
    send(block(0x96));
    EXPECT_EQ(drain(), hex("D100"));
    send(kStatus);
    EXPECT_EQ(drain(), hex("D101000200"));
    EXPECT_EQ(control("fault silence 5 zz"), "ERR bad command code: zz");
}

TEST_F(Wire, CommandBlockInsideATransferIsAViolation) {
    start(kStatus);
    receive(258);
    send(block(0x96));
    EXPECT_EQ(receive(1), Bytes{0xD1});   // the camera gives up the transfer and serves the block
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(control("violations"),
              "OK 1 | command block 960000000000001A interleaved into a transfer, instead of a verdict on packet 1");
}

TEST_F(Wire, SpeedChangeAndWrongSpeedTraffic) {
    send(hex("410011520000001A"));
    EXPECT_EQ(receive(1), Bytes{0xD1});
    // The camera switches once its acceptance is on the line: on a loaded machine that may be a
    // moment after the byte arrived here.
    std::string speed = control("speed");
    for (int poll = 0; poll < 100 && speed != "OK 115200 9600"; ++poll) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        speed = control("speed");
    }
    EXPECT_EQ(speed, "OK 115200 9600");
    send(kStatus);   // still at 9600: the camera hears noise
    EXPECT_EQ(drain(), Bytes{});
    EXPECT_EQ(control("violations"), "OK 1 | host sent at 9600 baud while the camera is at 115200");
    setHostSpeed(115200);
    start(kStatus);
    packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
}

TEST_F(Wire, UnknownSpeedCodeIsRejected) {
    send(hex("410000000000001A"));
    EXPECT_EQ(receive(1), Bytes{0xE1});
    EXPECT_EQ(control("speed"), "OK 9600 9600");
}

TEST_F(Wire, QuietLineAt9600IsTheHostsReset) {
    control("timing resetquiet 300");
    send(hex("410011520000001A"));
    EXPECT_EQ(receive(1), Bytes{0xD1});
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    send(kStatus);   // back at 9600 after the pause, as after the host's break
    EXPECT_EQ(receive(1), Bytes{0xD1});
    packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(control("speed"), "OK 9600 9600");
    EXPECT_NE(control("counters").find("resets=1"), std::string::npos);
    EXPECT_NE(control("transcript").find("#reset"), std::string::npos);
}

}  // namespace
}  // namespace pvsim::test

namespace pvsim::test {
namespace {

TEST_F(Wire, LateVerdictAfterAQuietLineIsNoReset) {
    control("timing resetquiet 200");
    start(hex("7F0000000000001A"));
    receive(258);
    control("counters clear");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    send({0xD2});
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_NE(control("counters").find("resets=0"), std::string::npos);
}

}  // namespace
}  // namespace pvsim::test

// The camera changed from the control channel in the middle of a transfer, while it waits for the
// host: the card pulled, the battery running out. The change takes effect at once, and the camera
// answers the next packet with 0xE2.
#include "SimClient.h"

#include <fstream>

namespace pvsim::test {
namespace {

constexpr uint32_t kAll = 0xFFFFFFFF;
constexpr size_t kFileSize = 3 * 512 - 100;   // three packets

class MidTransfer : public SimTest {
protected:
    // Writes a three-packet file into the card image and starts reading it; answers the first
    // packet as it arrived, not yet acknowledged.
    Bytes startRead(const std::string& relative, const std::string& cameraPath) {
        Bytes content(kFileSize);
        for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<uint8_t>(i * 11 + 3);
        std::ofstream(card_ / relative, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), static_cast<long>(content.size()));
        start(block(0x9A), pathPacket(cameraPath, kAll, kAll));
        return receive(512 + 2);
    }
    // Acknowledges a packet and expects the error in place of the next one, and nothing after it.
    void expectErrorAfterVerdict() {
        send({0xD2});
        EXPECT_EQ(drain(), Bytes{0xE2});
        EXPECT_EQ(control("violations"), "OK 0");
        EXPECT_NE(control("counters").find("completed=0"), std::string::npos);
    }
    // The rest of a transfer whose first packet arrived: two more packets and the completion byte.
    void expectTransferEnds() {
        send({0xD2});
        EXPECT_EQ(packets(512, 2).size(), 1024u);
        EXPECT_EQ(receive(1), Bytes{0x00});
        EXPECT_EQ(control("violations"), "OK 0");
    }
};

TEST_F(MidTransfer, CardPulledWhileTheCameraAwaitsAVerdict) {
    ASSERT_EQ(startRead("PCCARD/DCIMAGES/LONG.BIN", "\\PCCARD\\DCIMAGES\\LONG.BIN").size(), 514u);
    ASSERT_EQ(control("card out"), "OK");
    expectErrorAfterVerdict();
    // With the card back the same file reads whole again.
    ASSERT_EQ(control("card in"), "OK");
    ASSERT_EQ(startRead("PCCARD/DCIMAGES/LONG.BIN", "\\PCCARD\\DCIMAGES\\LONG.BIN").size(), 514u);
    expectTransferEnds();
}

TEST_F(MidTransfer, CardPulledWhileTheCameraAwaitsThePathPacket) {
    send(block(0x9A));
    ASSERT_EQ(receive(1), Bytes{0xD1});
    ASSERT_EQ(control("card out"), "OK");
    send(pathPacket("\\PCCARD\\DCIMAGES\\README.TXT", kAll, kAll));
    EXPECT_EQ(drain(), (Bytes{0xD2, 0xE2}));
    EXPECT_EQ(control("violations"), "OK 0");
}

TEST_F(MidTransfer, BatteryRunningOutWithoutMainsEndsTheTransfer) {
    ASSERT_EQ(control("mains off"), "OK");
    ASSERT_EQ(startRead("PCCARD/DCIMAGES/LONG.BIN", "\\PCCARD\\DCIMAGES\\LONG.BIN").size(), 514u);
    ASSERT_EQ(control("battery exhausted"), "OK");
    expectErrorAfterVerdict();
    // A camera without power serves no data at all, from the card or its own memory.
    start(block(0x9A), pathPacket("\\PCCARD\\DCIMAGES\\LONG.BIN", kAll, kAll));
    EXPECT_EQ(drain(), Bytes{0xE2});
    ASSERT_EQ(control("mains on"), "OK");
    ASSERT_EQ(startRead("MEMORY/LONG.BIN", "\\MEMORY\\LONG.BIN").size(), 514u);
    expectTransferEnds();
}

TEST_F(MidTransfer, ChangesThatLeaveTheSourceServableDoNotStopIt) {
    // The internal memory does not need the card, and the mains adapter stands in for the battery.
    ASSERT_EQ(startRead("MEMORY/LONG.BIN", "\\MEMORY\\LONG.BIN").size(), 514u);
    ASSERT_EQ(control("card out"), "OK");
    ASSERT_EQ(control("battery exhausted"), "OK");
    expectTransferEnds();
}

TEST_F(MidTransfer, ThumbnailByNumberStopsWhenTheCardIsPulled) {
    send(block(0x66, 0, 0));
    ASSERT_EQ(receive(1), Bytes{0xD1});
    ASSERT_EQ(receive(1024 + 2).size(), 1026u);
    ASSERT_EQ(control("card out"), "OK");
    expectErrorAfterVerdict();
}

}  // namespace
}  // namespace pvsim::test
